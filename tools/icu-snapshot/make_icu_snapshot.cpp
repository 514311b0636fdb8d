// zumaro-icu-snapshot: writes, as C++ source, the tables the core takes
// from ICU (text/icu_source.h), read from this machine's ICU. A build for a
// target without ICU compiles them in; the native test IcuSnapshot holds
// them to ICU's live answers.
//   zumaro-icu-snapshot OUTPUT.cpp
#include <unicode/uvernum.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "text/icu_source.h"

namespace zumaro {
namespace {

// Numbers a line at a time, so that the file stays readable in a diff.
template <class Numbers>
void writeArray(std::ostream& out, const char* type, const char* name, const Numbers& numbers) {
  out << "constexpr " << type << ' ' << name << "[] = {";
  size_t n = 0;
  for (const auto value : numbers) {
    out << (n % 12 == 0 ? "\n    " : " ") << "0x" << std::hex << static_cast<unsigned long>(value) << std::dec << ',';
    ++n;
  }
  if (n == 0) out << "0";  // a C++ array is never empty; the count says none
  out << "\n};\nconstexpr size_t " << name << "Count = " << n << ";\n";
}

std::string snapshotSource() {
  const auto codePage = std::make_unique<CodePage932Source>();
  readCodePage932(*codePage);
  UnicodeSource unicode;
  readUnicode(unicode);

  std::vector<uint32_t> pairs, encode, upper, lower, decomposition;
  for (uint32_t lead = 0; lead < 256; ++lead)
    for (uint32_t trail = 0; trail < 256; ++trail)
      if (const uint16_t c = codePage->pairs[lead][trail]; c != 0) pairs.push_back(lead << 24 | trail << 16 | c);
  for (uint32_t c = 0; c < codePage->encode.size(); ++c)
    if (codePage->encode[c] != 0) encode.push_back(c << 16 | codePage->encode[c]);
  for (const auto& [c, up] : unicode.upper) upper.push_back(static_cast<uint32_t>(c) << 16 | up);
  for (const auto& [c, low] : unicode.lower) lower.push_back(static_cast<uint32_t>(c) << 16 | low);
  for (const auto& [base, mark] : unicode.katakanaDecomposition)
    decomposition.push_back(static_cast<uint32_t>(base) << 16 | mark);

  std::ostringstream out;
  out << "// Made by tools/icu-snapshot from ICU " << U_ICU_VERSION << ": the tables of text/icu_source.h.\n"
      << "#include <cstddef>\n#include <cstdint>\n\n#include \"text/icu_source.h\"\n\n"
      << "namespace zumaro {\nnamespace {\n\n";
  writeArray(out, "uint16_t", "kSingle", codePage->single);
  writeArray(out, "uint32_t", "kPairs", pairs);    // lead << 24 | trail << 16 | character
  writeArray(out, "uint32_t", "kEncode", encode);  // character << 16 | bytes
  writeArray(out, "uint32_t", "kUpper", upper);    // unit << 16 | mapped
  writeArray(out, "uint32_t", "kLower", lower);
  writeArray(out, "uint16_t", "kHalfKanaNfkc", unicode.halfKanaNfkc);
  writeArray(out, "uint16_t", "kWithVoiced", unicode.withVoiced);
  writeArray(out, "uint16_t", "kWithSemiVoiced", unicode.withSemiVoiced);
  writeArray(out, "uint32_t", "kKatakanaDecomposition", decomposition);  // base << 16 | mark
  out << R"(
}  // namespace

void readCodePage932Snapshot(CodePage932Source& source) {
  for (size_t b = 0; b < kSingleCount; ++b) source.single[b] = kSingle[b];
  for (size_t i = 0; i < kPairsCount; ++i)
    source.pairs[kPairs[i] >> 24][(kPairs[i] >> 16) & 0xFF] = static_cast<uint16_t>(kPairs[i]);
  for (size_t i = 0; i < kEncodeCount; ++i) source.encode[kEncode[i] >> 16] = static_cast<uint16_t>(kEncode[i]);
}

void readUnicodeSnapshot(UnicodeSource& source) {
  for (size_t i = 0; i < kUpperCount; ++i)
    source.upper.emplace_back(static_cast<char16_t>(kUpper[i] >> 16), static_cast<char16_t>(kUpper[i]));
  for (size_t i = 0; i < kLowerCount; ++i)
    source.lower.emplace_back(static_cast<char16_t>(kLower[i] >> 16), static_cast<char16_t>(kLower[i]));
  for (size_t i = 0; i < kHalfKanaNfkcCount; ++i) source.halfKanaNfkc[i] = kHalfKanaNfkc[i];
  for (size_t i = 0; i < kWithVoicedCount; ++i) source.withVoiced[i] = kWithVoiced[i];
  for (size_t i = 0; i < kWithSemiVoicedCount; ++i) source.withSemiVoiced[i] = kWithSemiVoiced[i];
  for (size_t i = 0; i < kKatakanaDecompositionCount; ++i)
    source.katakanaDecomposition[i] = {static_cast<char16_t>(kKatakanaDecomposition[i] >> 16),
                                       static_cast<char16_t>(kKatakanaDecomposition[i])};
}

}  // namespace zumaro
)";
  return out.str();
}

}  // namespace
}  // namespace zumaro

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zumaro-icu-snapshot OUTPUT.cpp\n";
    return 2;
  }
  try {
    const std::string source = zumaro::snapshotSource();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << source;
    out.close();
    if (!out) {
      std::cerr << "zumaro-icu-snapshot: cannot write " << argv[1] << '\n';
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "zumaro-icu-snapshot: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
