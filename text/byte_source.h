#pragma once
// The rest of an opened TextSource as bytes rather than characters, for a
// run that writes the encoding it reads: separators, quotes, blanks and line
// ends are ASCII bytes, which in code page 932 and in UTF-8 never occur
// inside a character, so fields are found without decoding. The bytes are
// still checked a block at a time as the decoder would read them, and only
// the valid ones are handed out: invalid bytes stop the reading at the same
// place and offset.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text/text_encoding.h"
#include "text/text_source.h"

namespace zumaro {

class ByteSource {
 public:
  static constexpr int kEnd = -1;

  // `file` is open, and nothing but a first line has been taken from it.
  explicit ByteSource(TextSource& file) : file_(&file) {}
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  // After the file was opened again.
  void restart() { at_ = end_ = nullptr; }

  int peek() {
    if (at_ != end_) return static_cast<unsigned char>(*at_);
    return refill() ? static_cast<unsigned char>(*at_) : kEnd;
  }
  int get() {
    const int c = peek();
    if (c != kEnd) ++at_;
    return c;
  }

  // The reader stops only at separators, quotes and line ends, all below
  // this byte.
  static constexpr unsigned char kStopsBelow = 0x2D;

  // As TextSource::appendUntil; `stop` sees bytes, holds for none from
  // kStopsBelow up, and `limit` counts UTF-16 units as the decoded text
  // would hold them.
  template <class Stop>
  void appendUntil(std::string& out, Stop stop, size_t limit) {
    for (;;) {
      const size_t room = roomBelow(out, limit);
      if (room == 0 || peek() == kEnd) return;
      const char* from = at_;
      const char* end = from + std::min(static_cast<size_t>(end_ - at_), room);
      const char* at = skipPlainWords(from, end);
      while (at != end && !stop(*at)) ++at;
      out.append(from, static_cast<size_t>(at - from));
      at_ = at;
      if (at != end) return;
    }
  }

  // The usual quoted value, read past its opening quote: when the checked
  // bytes hold its closing quote, with no quote or line end before it and
  // no quote after it, appends the value, stands after the closing quote
  // and returns true. Otherwise takes nothing.
  bool takePlainQuoted(std::string& out, size_t limit) {
    const char* at = at_;
    for (;;) {
      at = skipPlainWords(at, end_);
      while (at != end_ && static_cast<unsigned char>(*at) >= kStopsBelow) ++at;
      if (at == end_ || *at == '\r' || *at == '\n') return false;
      if (*at == '"') break;
      ++at;  // a comma or a blank, plain inside quotes
    }
    const auto length = static_cast<size_t>(at - at_);
    // Fewer bytes than the limit are fewer characters too.
    if (at + 1 == end_ || at[1] == '"' || out.size() + length >= limit) return false;
    out.append(at_, length);
    at_ = at + 1;
    return true;
  }

  // Whether `value` decodes to at least `units` UTF-16 units.
  bool holdsAtLeast(const std::string& value, size_t units) const {
    return value.size() >= units && utf16Length(encoding(), value) >= units;
  }

  // The checked bytes not yet taken, for a reader that finds a whole record
  // in them at once; empty until the first peek.
  std::string_view checkedBytes() const { return std::string_view(at_, static_cast<size_t>(end_ - at_)); }
  // Takes `n` of the checked bytes.
  void skip(size_t n) { at_ += n; }

  TextEncoding encoding() const { return file_->encoding(); }
  int64_t linesTaken() const { return file_->linesTaken(); }
  uint64_t bytesConsumed() const { return file_->bytesConsumed(); }

 private:
  bool refill();
  // Skips eight bytes at a time while none of them is below kStopsBelow.
  static const char* skipPlainWords(const char* at, const char* end) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    while (end - at >= 8) {
      uint64_t word;
      std::memcpy(&word, at, 8);
      if (((word - kOnes * kStopsBelow) & ~word & (kOnes * 0x80)) != 0) break;
      at += 8;
    }
    return at;
  }
  // Bytes that may be appended to `out` without passing `limit` units.
  size_t roomBelow(const std::string& out, size_t limit) const {
    if (out.size() < limit) return limit - out.size();
    const size_t units = utf16Length(encoding(), out);
    return units < limit ? limit - units : 0;
  }

  TextSource* file_;
  const char* at_ = nullptr;   // next byte
  const char* end_ = nullptr;  // end of the checked bytes
};

}  // namespace zumaro
