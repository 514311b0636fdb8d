#include "records/text_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "records/read_error.h"
#include "state/codepage.h"

namespace zumaro {

TextSource::~TextSource() { close(); }

bool TextSource::open(const std::string& path) {
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
  return true;
}

void TextSource::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool TextSource::refill() {
  chars_.clear();
  pos_ = 0;
  while (chars_.empty()) {
    if (invalidPending_) throw ReadError(ReadFault::InvalidBytes, bytesDecoded_);
    if (bytesStart_ == bytes_.size() && eof_) return false;
    if (!eof_ && bytes_.size() - bytesStart_ < 2) {
      bytes_.erase(0, bytesStart_);
      bytesStart_ = 0;
      size_t have = bytes_.size();
      bytes_.resize(have + readBlock_);
      ssize_t n;
      do {
        size_t want = static_cast<size_t>(std::min<uint64_t>(readBlock_, readLimit_ - bytesRead_));
        n = fd_ >= 0 && want > 0 ? ::read(fd_, bytes_.data() + have, want) : 0;
      } while (n < 0 && errno == EINTR);
      if (n < 0) throw ReadError(ReadFault::IoError, bytesDecoded_, errno);
      bytes_.resize(have + static_cast<size_t>(n));
      bytesRead_ += static_cast<uint64_t>(n);
      if (n == 0) eof_ = true;
    }
    auto stop = CodePage932::instance().decode(bytes_.data() + bytesStart_, bytes_.size() - bytesStart_, eof_, chars_);
    bytesStart_ += stop.consumed;
    bytesDecoded_ += stop.consumed;
    if (stop.invalid) invalidPending_ = true;
    if (!stop.invalid && stop.consumed == 0 && !eof_) continue;  // a lead byte waits for its trail
  }
  return true;
}

}  // namespace zumaro
