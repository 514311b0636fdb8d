#include "run/report_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "records/record_writer.h"

namespace zumaro {
namespace {

constexpr char kHeader[] =
    "\xEF\xBB\xBF"
    "record,line,reason,postal_code,address_as_read,suggested_postal_code,suggested_address,message\r\n";
constexpr size_t kFlushAt = 1 << 16;

// The bytes that call for quotes are ASCII, and UTF-8 gives an ASCII byte
// only for that character: the text itself tells.
void appendField(std::string& out, TextView value) {
  const bool plain = std::none_of(value.begin(), value.end(),
                                  [](char16_t c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
  if (plain) {
    appendUtf8(out, value);
    return;
  }
  const std::string utf8 = toUtf8(value);
  out += '"';
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

void appendReportLine(std::string& out, const ReportRow& row) {
  out += std::to_string(row.record);
  out += ',';
  out += std::to_string(row.line);
  out += ',';
  for (TextView field : {reasonWord(row.reason), TextView(row.postalCode), TextView(row.addressAsRead),
                         TextView(row.suggestedPostalCode), TextView(row.suggestedAddress), TextView(row.message)}) {
    appendField(out, field);
    out += ',';
  }
  out.back() = '\r';
  out += '\n';
}

std::string reportLine(const ReportRow& row) {
  std::string out;
  appendReportLine(out, row);
  return out;
}

bool ReportFile::create(const std::string& path) {
  path_ = path;
  created_ = false;
  fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd_ < 0 && errno == ENOENT) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created_ = fd_ >= 0;
  }
  return fd_ >= 0;
}

void ReportFile::start() {
  started_ = true;
  if (::ftruncate(fd_, 0) != 0 && errno != EINVAL) throw WriteError(WriteError::Kind::IoError, errno);
  buffer_ = kHeader;
}

void ReportFile::write(const ReportRow& row) {
  if (!started_) start();
  appendReportLine(buffer_, row);
  if (buffer_.size() >= kFlushAt) flush();
}

void ReportFile::flush() {
  size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw WriteError(WriteError::Kind::IoError, n < 0 ? errno : ENOSPC);
    done += static_cast<size_t>(n);
  }
  buffer_.clear();
}

void ReportFile::close() {
  if (fd_ < 0) return;
  if (!started_) start();  // a run with nothing to report leaves the header alone
  flush();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw WriteError(WriteError::Kind::IoError, errno);
}

void ReportFile::abandon() noexcept {
  if (fd_ < 0) return;
  if (started_) {
    try {
      flush();
    } catch (const WriteError&) {
    }
  }
  ::close(fd_);
  fd_ = -1;
  if (!started_ && created_) ::unlink(path_.c_str());
}

}  // namespace zumaro
