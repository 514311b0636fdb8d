#pragma once
// Code page 932 (Windows Shift-JIS) on disk, UTF-16 in memory. The tables are
// taken once from ICU's windows-31j converter (text/icu_source.h), so every
// NEC and IBM extension decodes as Windows does, and the per-record path is a
// plain table lookup.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/icu_source.h"
#include "text/text.h"

namespace zumaro {

class CodePage932 {
 public:
  // Inline, so that the per-field callers pay one load and test, and carry
  // nothing of the first call's work.
  static const CodePage932& instance() {
    const CodePage932* tables = made_.load(std::memory_order_acquire);
    return tables != nullptr ? *tables : make();
  }

  struct DecodeStop {
    size_t consumed;  // bytes turned into characters
    bool invalid;     // stopped at bytes that are not code page 932
  };
  // Appends the characters of `bytes` to `out`. Stops before an invalid
  // sequence, and before a lead byte that is the last byte given (its trail
  // may come with the next call); `atEnd` says no more bytes follow, so such
  // a lead byte is invalid.
  DecodeStop decode(const char* bytes, size_t size, bool atEnd, Text& out) const {
    if (size == 0) return {0, false};  // many fields are empty: no call
    return size <= kShort ? decodeShort(bytes, size, atEnd, out) : decodeLong(bytes, size, atEnd, out);
  }

  // Appends the bytes of `text` to `out`; on a character without a code page
  // 932 form returns false with its index in `badIndex`, `out` then holding
  // the bytes of the characters before it. `doubleQuotes` writes each double
  // quote twice, as a quoted CSV value holds it.
  bool encode(TextView text, std::string& out, size_t& badIndex, bool doubleQuotes = false) const;

  // encode() straight into `to`, which has room for two bytes a unit: the
  // end of the bytes written, or nullptr with `badIndex` set as encode() sets it.
  char* encodeInto(TextView text, char* to, size_t& badIndex, bool doubleQuotes) const;

  Text decodeAll(std::string_view bytes, bool& ok) const;
  // Whether the byte begins a double-byte character.
  bool isLeadByte(unsigned char byte) const { return single_[byte] == kLead; }

  // Where decode() would stop on the same bytes, without decoding them.
  DecodeStop validate(const char* bytes, size_t size, bool atEnd) const;
  // Whether valid bytes come back unchanged from decode() and encode(): a
  // few characters have two byte forms, and encoding picks one of them.
  bool encodesBackTheSame(std::string_view bytes) const;
  // Copies valid `bytes` to `to` (room for twice their size), each double
  // quote twice, as a quoted CSV value holds them: the end of what was
  // written, or nullptr when they do not come back the same.
  char* copyQuoteDoubled(std::string_view bytes, char* to) const;
  // Whether every ASCII byte decodes to its own character and back.
  bool asciiStaysAsIs() const { return fastRuns_; }

 private:
  CodePage932();
  [[gnu::noinline]] static const CodePage932& make();
  static inline std::atomic<const CodePage932*> made_{nullptr};
  bool tablesMatchRuns() const;
  // How far a chunk got: where the next one begins, or where a stop is.
  struct ChunkEnd {
    size_t next;
    size_t written;
    bool stopped;
    bool invalid;
  };
  DecodeStop decodeShort(const char* bytes, size_t size, bool atEnd, Text& out) const;
  [[gnu::noinline]] DecodeStop decodeAfterRun(const unsigned char* p, size_t size, bool atEnd, Text& out,
                                              char16_t* units, size_t run) const;
  DecodeStop decodeLong(const char* bytes, size_t size, bool atEnd, Text& out) const;
  ChunkEnd decodeChunk(const unsigned char* p, size_t i, size_t end, size_t size, bool atEnd, char16_t* chunk) const;
  ChunkEnd encodeChunk(TextView text, size_t i, size_t end, bool doubleQuotes, char* chunk) const;
  // Whether the two bytes at `p`, a lead byte and what follows it, are the
  // form the encoder gives their character.
  bool pairEncodesBack(const unsigned char* p) const {
    return encode_[double_[p[0]][p[1]]] == static_cast<uint16_t>(p[0] | p[1] << 8);
  }
  static constexpr size_t kChunk = 1024;
  static constexpr size_t kShort = 64;  // bytes decoded by decodeShort
  bool fastRuns_ = false;               // whether the runs of one_byte_runs.h agree with the tables
  uint16_t single_[256];                // character, or kLead / kInvalid
  uint16_t double_[256][256];           // 0 where the pair is not a character
  // The bytes of each character as a little-endian load reads them, so a
  // pair (its trail byte never 0) is above 0xFF; 0 where unencodable (U+0000
  // handled apart).
  uint16_t encode_[65536];
  uint8_t singleKind_[256];  // kSame, kOther or kLeadByte, for the checks of bytes as read
  static constexpr uint8_t kSame = 0;
  static constexpr uint8_t kOther = 1;
  static constexpr uint8_t kLeadByte = 2;
  static constexpr uint16_t kLead = CodePage932Source::kLead;
  static constexpr uint16_t kInvalid = CodePage932Source::kInvalid;
};

}  // namespace zumaro
