#pragma once
// The characters of a code page 932 or UTF-8 file, decoded a block at a time
// so that a file of any size is streamed. Invalid bytes are reported only
// when the reader reaches them, so every record before them is still
// processed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/read_buffer.h"
#include "text/text.h"
#include "text/text_encoding.h"

namespace zumaro {

class TextSource {
 public:
  static constexpr int kEnd = -1;
  static constexpr size_t kReadBlock = 1 << 16;
  static constexpr size_t kSniffAhead = 4 << 20;
  static constexpr size_t kMaxFirstLine = 1'000'000;  // bytes

  // Reads the file `readBlock` bytes (at least 1) at a time; a character may
  // straddle two blocks. Tests choose small blocks to put block ends anywhere.
  explicit TextSource(size_t readBlock = kReadBlock) : readBlock_(readBlock) {}
  ~TextSource();
  TextSource(const TextSource&) = delete;
  TextSource& operator=(const TextSource&) = delete;

  // Opens `path` for reading; false with errno set when it cannot be opened
  // (or read while its encoding is being found). With EncodingChoice::Auto
  // the encoding is found before open returns: a regular file is read ahead
  // without keeping what was read, anything else (a pipe) is kept in memory
  // up to kSniffAhead bytes of plain ASCII, after which it is taken for code
  // page 932. A byte-order mark, with Auto or Utf8, is no part of the text.
  bool open(const std::string& path, EncodingChoice choice = EncodingChoice::Cp932);
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

  // Whether `value` holds at least `units` UTF-16 units.
  static bool holdsAtLeast(const Text& value, size_t units) { return value.size() >= units; }

  TextEncoding encoding() const { return encoding_; }
  // Whether the encoding was found from the bytes rather than named.
  bool encodingFound() const { return encodingFound_; }

  // Takes the first line, before any character is read: its bytes as they
  // are, line end included (CR LF, CR or LF; quotes are not looked at), into
  // `raw`, and its characters into `text`. False when the text is empty.
  // Throws ReadError (record 0) on bytes the encoding cannot read, a line
  // longer than kMaxFirstLine bytes or a read fault.
  bool takeFirstLine(std::string& raw, Text& text);
  // Lines taken by takeFirstLine: the line of the first character is one more.
  int64_t linesTaken() const { return linesTaken_; }

  uint64_t bytesConsumed() const { return bytesDecoded_; }
  uint64_t fileSize() const { return fileSize_; }

 private:
  friend class ByteSource;  // reads the same file as bytes
  bool refill();
  bool readMore();
  void findEncoding(EncodingChoice choice);
  void sniffRegularFile(EncodingSniffer& sniffer);
  void skipByteOrderMark();
  [[noreturn]] void throwInvalid(uint64_t offset) const;

  size_t readBlock_;
  int fd_ = -1;
  uint64_t fileSize_ = 0;
  uint64_t readLimit_ = UINT64_MAX;  // bytes of the file that hold text
  uint64_t bytesRead_ = 0;
  ReadBuffer bytes_;       // undecoded bytes read ahead
  size_t bytesStart_ = 0;  // first byte of bytes_ not yet decoded
  uint64_t bytesDecoded_ = 0;
  bool eof_ = false;
  bool invalidPending_ = false;
  Text chars_;
  size_t pos_ = 0;
  TextEncoding encoding_ = TextEncoding::Cp932;
  bool encodingFound_ = false;
  int64_t linesTaken_ = 0;
};

}  // namespace zumaro
