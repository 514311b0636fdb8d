#pragma once
// The characters of a code page 932 file, decoded a block at a time so that a
// file of any size is streamed. Invalid bytes are reported only when the
// reader reaches them, so every record before them is still processed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "state/text.h"

namespace zumaro {

class TextSource {
 public:
  static constexpr int kEnd = -1;
  static constexpr size_t kReadBlock = 1 << 16;

  // Reads the file `readBlock` bytes (at least 1) at a time; a character may
  // straddle two blocks. Tests choose small blocks to put block ends anywhere.
  explicit TextSource(size_t readBlock = kReadBlock) : readBlock_(readBlock) {}
  ~TextSource();
  TextSource(const TextSource&) = delete;
  TextSource& operator=(const TextSource&) = delete;

  // Opens `path` for reading; false with errno set when it cannot be opened.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  int peek() {
    if (pos_ < chars_.size()) return chars_[pos_];
    return refill() ? chars_[pos_] : kEnd;
  }
  int get() {
    int c = peek();
    if (c != kEnd) ++pos_;
    return c;
  }
  bool atEnd() { return peek() == kEnd; }

  // Appends the characters before the next one for which `stop` holds (or
  // before the end of the text) to `out`, a block at a time rather than a
  // character at a time; the source then stands at that character. Stops
  // early when `out` has grown to `limit` characters.
  template <class Stop>
  void appendUntil(Text& out, Stop stop, size_t limit) {
    while (out.size() < limit && peek() != kEnd) {
      const char16_t* from = chars_.data() + pos_;
      const char16_t* end = from + std::min(chars_.size() - pos_, limit - out.size());
      const char16_t* at = from;
      while (at != end && !stop(*at)) ++at;
      out.append(from, static_cast<size_t>(at - from));
      pos_ += static_cast<size_t>(at - from);
      if (at != end) return;
    }
  }

  uint64_t bytesConsumed() const { return bytesDecoded_; }
  uint64_t fileSize() const { return fileSize_; }

 private:
  bool refill();

  size_t readBlock_;
  int fd_ = -1;
  uint64_t fileSize_ = 0;
  uint64_t readLimit_ = UINT64_MAX;  // bytes of the file that hold text
  uint64_t bytesRead_ = 0;
  std::string bytes_;      // undecoded bytes read ahead
  size_t bytesStart_ = 0;  // first byte of bytes_ not yet decoded
  uint64_t bytesDecoded_ = 0;
  bool eof_ = false;
  bool invalidPending_ = false;
  Text chars_;
  size_t pos_ = 0;
};

}  // namespace zumaro
