#include "records/record_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "records/quoted_copy.h"
#include "text/codepage.h"
#include "text/utf8_codec.h"

namespace zumaro {
namespace {

constexpr size_t kFlushAt = 1 << 16;

char32_t characterAt(const Text& text, size_t i) {
  char16_t c = text[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
    char16_t d = text[i + 1];
    if (d >= 0xDC00 && d <= 0xDFFF) return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
  }
  return c;
}

// Out of line: the callers' common path then builds no error.
[[noreturn, gnu::cold, gnu::noinline]] void throwUnencodable(const Text& field, size_t bad, int number) {
  WriteError error(WriteError::Kind::Unencodable, 0);
  error.field = number;
  error.character = characterAt(field, bad);
  throw error;
}

// Opens without emptying; `created` tells whether the file is new.
int openForWriting(const std::string& path, bool& created) {
  created = false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd >= 0 || errno != ENOENT) return fd;
  fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  created = fd >= 0;
  if (fd >= 0 || errno != EEXIST) return fd;
  // A link to a missing file, or one made meanwhile: not ours to remove.
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
}

bool isRegularFile(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Room for the longest form a field can take: three bytes a unit in UTF-8,
// two in code page 932 (a doubled quote included), with the quote, comma
// and quote after it. Bytes as read may go out through their text, which
// has no more units than they have bytes.
constexpr size_t roomFor(size_t units) { return 3 * units + 4; }

// After every field: its closing quote, then the comma and the opening quote
// of the next, taken back after the last. One store of four bytes; the
// fourth is written over by what follows.
char* putSeparator(char* to) {
  std::memcpy(to, "\",\"", 4);
  return to + 3;
}

constexpr size_t kShortField = 16;

// Bytes as read: nullptr unless they are short ASCII without a quote, as
// most fields kept unchanged are. Taken in the record's loop, which then
// calls nothing for them.
char* copyShortAscii(std::string_view bytes, char* to, bool asciiAsIs) {
  const size_t size = bytes.size();
  if (!asciiAsIs || size > kShortField || !one_byte::copyShortQuoteFreeAscii(bytes.data(), size, to)) return nullptr;
  return to + size;
}

}  // namespace

RecordWriter::~RecordWriter() { abandon(); }

bool RecordWriter::create(const std::string& path) {
  fd_ = openForWriting(path, created_);
  owned_ = fd_ >= 0;
  path_ = path;
  emptyPending_ = owned_;
  return fd_ >= 0;
}

void RecordWriter::attach(int fd) {
  fd_ = fd;
  owned_ = false;
}

// Straight into the room made for the record.
inline char* RecordWriter::encodeField(const Text& field, char* to, int number, size_t recordStart) {
  size_t bad = 0;
  char* end = encoding_ == TextEncoding::Cp932 ? CodePage932::instance().encodeInto(field, to, bad, true)
                                               : encodeUtf8Into(field, to, bad, true);
  if (end == nullptr) {
    buffer_.cutTo(recordStart);
    throwUnencodable(field, bad, number);
  }
  return end;
}

void RecordWriter::write(const Text* fields, int count) {
  writeRecord(
      count, [&](int i) { return fields[i].size(); },
      [&](int i, char* to, size_t start) { return encodeField(fields[i], to, i + 1, start); });
}

void RecordWriter::write(const FieldToWrite* fields, int count) {
  const bool asciiAsIs = asciiStaysAsIs(encoding_);
  writeRecord(
      count, [&](int i) { return fields[i].text != nullptr ? fields[i].text->size() : fields[i].bytes.size(); },
      [&](int i, char* to, size_t start) {
        const FieldToWrite& field = fields[i];
        if (field.text != nullptr) return encodeField(*field.text, to, i + 1, start);
        char* end = copyShortAscii(field.bytes, to, asciiAsIs);
        return end != nullptr ? end : copyField(field.bytes, to, i + 1, start, asciiAsIs);
      });
}

// Each field is put where the last one ended, after room is made for its
// longest form; `putField` writes what lies between the quotes.
template <class UnitsOf, class PutField>
void RecordWriter::writeRecord(int count, UnitsOf unitsOf, PutField putField) {
  const size_t start = buffer_.size();
  const bool headPut = headPut_;
  putHead();
  char* to = buffer_.room(3);
  *to = '"';
  to += count > 0 ? 1 : 0;
  try {
    for (int i = 0; i < count; ++i) {
      to = buffer_.roomAt(to, roomFor(unitsOf(i)));
      to = putSeparator(putField(i, to, start));
    }
  } catch (const WriteError&) {
    buffer_.cutTo(start);
    headPut_ = headPut;
    throw;
  }
  to -= count > 0 ? 2 : 0;
  *to++ = '\r';
  *to++ = '\n';
  buffer_.commit(to);
  recordEnds_.push_back(buffer_.size());
  ++recordsWritten_;
  started_ = true;
  if (buffer_.size() >= kFlushAt) flush();
}

// The head goes out with the first record, as part of it: a record cut by a
// fault takes the head with it.
void RecordWriter::putHead() {
  if (headPut_) return;
  headPut_ = true;
  if (encoding_ == TextEncoding::Utf8WithBom) buffer_.append(kByteOrderMark);
  buffer_.append(head_);
}

// Bytes as read, with the quotes inside doubled as encodeField doubles
// them: the fields copyShortAscii leaves.
char* RecordWriter::copyField(std::string_view bytes, char* to, int number, size_t recordStart, bool asciiAsIs) {
  const size_t size = bytes.size();
  if (asciiAsIs && size > kShortField && one_byte::copyQuoteFreeAscii(bytes.data(), size, to)) return to + size;
  return copyOtherField(bytes, to, number, recordStart);
}

// The few code page 932 characters that have two byte forms are written in
// the one the encoder picks, through their text.
char* RecordWriter::copyOtherField(std::string_view bytes, char* to, int number, size_t recordStart) {
  char* end = copyQuoteDoubledBeyondAscii(encoding_, bytes, to);
  return end != nullptr ? end : copyThroughText(bytes, to, number, recordStart);
}

char* RecordWriter::copyThroughText(std::string_view bytes, char* to, int number, size_t recordStart) {
  Text text;
  decodeText(encoding_, bytes.data(), bytes.size(), true, text);
  return encodeField(text, to, number, recordStart);
}

// Empties the file before the first bytes go to it; devices and pipes have
// nothing to empty. The error number, or 0.
int RecordWriter::emptyOnce() {
  if (!emptyPending_) return 0;
  emptyPending_ = false;
  return isRegularFile(fd_) && ::ftruncate(fd_, 0) != 0 ? errno : 0;
}

void RecordWriter::flush() {
  size_t done = 0;
  int err = emptyOnce();
  while (err == 0 && done < buffer_.size()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      err = n == 0 ? EIO : errno;
    }
  }
  if (err != 0) {
    keepWholeRecords(done);
    throw WriteError(WriteError::Kind::IoError, err);
  }
  buffer_.clear();
  recordEnds_.clear();
}

// After a fault that let `done` bytes of the buffer through, only the
// records that reached the file whole stay. The part of a record that got
// through is cut off again from where the file now ends, so that this works
// for standard output too, which may be a file that held something before.
void RecordWriter::keepWholeRecords(size_t done) {
  auto whole = std::upper_bound(recordEnds_.begin(), recordEnds_.end(), done);
  size_t keep = whole == recordEnds_.begin() ? 0 : *(whole - 1);
  recordsWritten_ -= static_cast<uint64_t>(recordEnds_.end() - whole);
  const auto partial = static_cast<off_t>(done - keep);
  const off_t end = partial > 0 && isRegularFile(fd_) ? ::lseek(fd_, 0, SEEK_CUR) : -1;
  if (end >= partial && ::ftruncate(fd_, end - partial) == 0) (void)::lseek(fd_, end - partial, SEEK_SET);
  buffer_.clear();
  recordEnds_.clear();
}

void RecordWriter::close() {
  if (fd_ < 0) return;
  putHead();
  flush();
  if (owned_ && ::close(fd_) != 0) {
    fd_ = -1;
    throw WriteError(WriteError::Kind::IoError, errno);
  }
  fd_ = -1;
}

void RecordWriter::abandon() noexcept {
  if (fd_ >= 0 && owned_) {
    ::close(fd_);
    if (emptyPending_ && created_) ::unlink(path_.c_str());
  }
  fd_ = -1;
  buffer_.clear();
  recordEnds_.clear();
}

}  // namespace zumaro
