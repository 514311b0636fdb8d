#include "text/text_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "text/read_error.h"

namespace zumaro {

TextSource::~TextSource() { close(); }

bool TextSource::open(const std::string& path, EncodingChoice choice) {
  close();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    errno = EISDIR;
    return false;
  }
  fileSize_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  // Files from DOS-era systems may end with an end-of-file mark (Ctrl-Z);
  // it is no part of the text.
  readLimit_ = UINT64_MAX;
  char last = 0;
  if (fileSize_ > 0 && ::pread(fd_, &last, 1, static_cast<off_t>(fileSize_ - 1)) == 1 && last == '\x1A')
    readLimit_ = fileSize_ - 1;
  bytesRead_ = 0;
  bytes_.clear();
  bytesStart_ = 0;
  bytesDecoded_ = 0;
  eof_ = false;
  invalidPending_ = false;
  chars_.clear();
  pos_ = 0;
  linesTaken_ = 0;
  try {
    findEncoding(choice);
  } catch (const ReadError& e) {
    close();
    errno = e.errorNumber;
    return false;
  }
  return true;
}

void TextSource::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

// Appends one block to bytes_; false at the end of the data.
bool TextSource::readMore() {
  if (eof_) return false;
  char* to = bytes_.roomFor(readBlock_);
  ssize_t n;
  do {
    size_t want = static_cast<size_t>(std::min<uint64_t>(readBlock_, readLimit_ - bytesRead_));
    n = fd_ >= 0 && want > 0 ? ::read(fd_, to, want) : 0;
  } while (n < 0 && errno == EINTR);
  if (n < 0) throw ReadError(ReadFault::IoError, bytesDecoded_, errno);
  bytes_.keep(static_cast<size_t>(n));
  bytesRead_ += static_cast<uint64_t>(n);
  if (n == 0) eof_ = true;
  return n > 0;
}

void TextSource::findEncoding(EncodingChoice choice) {
  encodingFound_ = choice == EncodingChoice::Auto;
  encoding_ = TextEncoding::Cp932;
  if (choice == EncodingChoice::Cp932) return;
  if (choice == EncodingChoice::Auto && fileSize_ > 0) {
    EncodingSniffer sniffer;
    sniffRegularFile(sniffer);
    encoding_ = sniffer.result();
  } else if (choice == EncodingChoice::Auto) {
    EncodingSniffer sniffer;
    while (!sniffer.decided() && bytes_.size() < kSniffAhead) {
      const size_t have = bytes_.size();
      if (!readMore()) break;
      sniffer.take(bytes_.view().substr(have));
    }
    encoding_ = sniffer.result();
  } else {
    encoding_ = TextEncoding::Utf8;
    while (bytes_.size() < kByteOrderMark.size() && readMore()) {
    }
    if (bytes_.view().substr(0, kByteOrderMark.size()) == kByteOrderMark) encoding_ = TextEncoding::Utf8WithBom;
  }
  if (encoding_ == TextEncoding::Utf8WithBom) skipByteOrderMark();
}

// Reads the start of a regular file beside the stream, keeping nothing but
// the sniffer's sample.
void TextSource::sniffRegularFile(EncodingSniffer& sniffer) {
  std::string block(kReadBlock, '\0');
  uint64_t at = 0;
  const uint64_t end = std::min(fileSize_, readLimit_);
  while (!sniffer.decided() && at < end) {
    const ssize_t n = ::pread(fd_, block.data(), static_cast<size_t>(std::min<uint64_t>(kReadBlock, end - at)),
                              static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw ReadError(ReadFault::IoError, at, errno);
    if (n == 0) break;
    sniffer.take(std::string_view(block.data(), static_cast<size_t>(n)));
    at += static_cast<uint64_t>(n);
  }
}

void TextSource::skipByteOrderMark() {
  while (bytes_.size() < kByteOrderMark.size() && readMore()) {
  }
  if (bytes_.view().substr(0, kByteOrderMark.size()) != kByteOrderMark) return;
  bytesStart_ = kByteOrderMark.size();
  bytesDecoded_ = kByteOrderMark.size();
}

void TextSource::throwInvalid(uint64_t offset) const {
  ReadError error(ReadFault::InvalidBytes, offset);
  error.encoding = encoding_;
  error.encodingFound = encodingFound_;
  throw error;
}

bool TextSource::takeFirstLine(std::string& raw, Text& text) {
  raw.clear();
  text.clear();
  size_t end = bytesStart_;
  for (;;) {
    const size_t at = bytes_.view().find_first_of("\r\n", end);
    end = at == std::string::npos ? bytes_.size() : at;
    if (end - bytesStart_ > kMaxFirstLine) {
      ReadError error(ReadFault::FieldTooLong, bytesDecoded_ + kMaxFirstLine);
      throw error;
    }
    // A CR as the last byte read may be the first half of CR LF.
    if (at != std::string::npos && !(bytes_.data()[at] == '\r' && at + 1 == bytes_.size() && !eof_)) break;
    if (!readMore()) break;
  }
  if (end < bytes_.size()) end += bytes_.view().substr(end, 2) == "\r\n" ? 2 : 1;
  raw.assign(bytes_.view().substr(bytesStart_, end - bytesStart_));
  const DecodeResult stop = decodeText(encoding_, raw.data(), raw.size(), true, text);
  if (stop.invalid) throwInvalid(bytesDecoded_ + stop.consumed);
  bytesStart_ = end;
  bytesDecoded_ += raw.size();
  if (!raw.empty()) linesTaken_ = 1;
  return !raw.empty();
}

bool TextSource::refill() {
  chars_.clear();
  pos_ = 0;
  while (chars_.empty()) {
    if (invalidPending_) throwInvalid(bytesDecoded_);
    if (bytesStart_ == bytes_.size() && eof_) return false;
    // A UTF-8 character takes up to four bytes.
    if (!eof_ && bytes_.size() - bytesStart_ < 4) {
      bytes_.dropFront(bytesStart_);
      bytesStart_ = 0;
      readMore();
    }
    const DecodeResult stop =
        decodeText(encoding_, bytes_.data() + bytesStart_, bytes_.size() - bytesStart_, eof_, chars_);
    bytesStart_ += stop.consumed;
    bytesDecoded_ += stop.consumed;
    if (stop.invalid) invalidPending_ = true;
  }
  return true;
}

}  // namespace zumaro
