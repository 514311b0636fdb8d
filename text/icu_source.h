#pragma once
// What the core takes from ICU, as plain tables: code page 932 as ICU's
// windows-31j converter (ibm-943_P15A-2003) maps it, and the few Unicode
// properties the conversion codes need. A build with ICU reads them from
// the library when first asked (text/icu_live.cpp); a build for a target
// without ICU, as the browser's, compiles in the copy that
// tools/icu-snapshot made of them on the build machine, which a native test
// holds to ICU's live answers. ICU stays the one source either way.
#include <array>
#include <cstdint>
#include <vector>

namespace zumaro {

struct CodePage932Source {
  static constexpr uint16_t kLead = 0xFFFE;            // single[b]: a lead byte
  static constexpr uint16_t kInvalid = 0xFFFF;         // single[b]: no character
  std::array<uint16_t, 256> single{};                  // the character of each byte
  std::array<std::array<uint16_t, 256>, 256> pairs{};  // [lead][trail]; 0 where no character
  // The bytes of each character as a little-endian load reads them (a pair
  // is above 0xFF); 0 where the character has no form.
  std::array<uint16_t, 65536> encode{};
};

struct UnicodeSource {
  // Simple case mappings inside the BMP: (unit, mapped) where they differ.
  std::vector<std::pair<char16_t, char16_t>> upper, lower;
  // NFKC of each half-width kana U+FF61..U+FF9F when it is one unit, else 0.
  std::array<char16_t, 0xFF9F - 0xFF61 + 1> halfKanaNfkc{};
  // The canonical composition of U+3000+i with U+3099 and with U+309A; 0 where none.
  std::array<char16_t, 0x100> withVoiced{}, withSemiVoiced{};
  // The canonical decomposition of U+30A0+i into two units; {0, 0} where none.
  std::array<std::array<char16_t, 2>, 0x60> katakanaDecomposition{};
};

void readCodePage932(CodePage932Source& source);
void readUnicode(UnicodeSource& source);

// The copy made at build time (in a build that has one): the same tables.
void readCodePage932Snapshot(CodePage932Source& source);
void readUnicodeSnapshot(UnicodeSource& source);

}  // namespace zumaro
