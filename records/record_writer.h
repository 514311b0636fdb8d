#pragma once
// The output format: one line per record, every field in double quotes (a
// quote inside a value doubled), separated by commas, ended by CR LF, in code
// page 932 or UTF-8, after an optional head (a byte-order mark, a header
// line) that is written when the first record, or the close, reaches the
// file. A record is encoded
// whole before any of it is written, and a failed write cuts the file back to
// the end of the last complete record, so the file never ends mid-line. An
// existing file is emptied only when the first records reach it, or when it
// is closed, so a run that stops before writing anything leaves it as it was.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "records/output_buffer.h"
#include "text/text.h"
#include "text/text_encoding.h"

namespace zumaro {

struct WriteError : std::runtime_error {
  enum class Kind { Unencodable, IoError };
  WriteError(Kind k, int err) : std::runtime_error("write error"), kind(k), errorNumber(err) {}
  Kind kind;
  int errorNumber = 0;     // errno for IoError
  int field = 0;           // 1-based field with the unencodable character
  char32_t character = 0;  // the unencodable character
};

// One field of a record to write: its bytes as read, in an encoding that
// writes the same characters as the writer's, or its text.
struct FieldToWrite {
  std::string_view bytes;  // when there is no text
  const Text* text = nullptr;
};

class RecordWriter {
 public:
  RecordWriter() = default;
  ~RecordWriter();
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  // Opens `path` for writing, creating it when it is missing; false with
  // errno set on failure. An existing file is not emptied yet.
  bool create(const std::string& path);
  // Writes to an already open descriptor (standard output), not owned.
  void attach(int fd);

  // The encoding of the records (code page 932 unless set); a byte-order
  // mark, for Utf8WithBom, opens the head. Set before the first write.
  void setEncoding(TextEncoding encoding) { encoding_ = encoding; }
  TextEncoding encoding() const { return encoding_; }
  // Bytes written as they are after the byte-order mark, before the first
  // record (a header line). Set before the first write.
  void setHead(std::string bytes) { head_ = std::move(bytes); }

  // Fields [first, first + count) of `fields`; throws WriteError.
  void write(const Text* fields, int count);
  // The same for fields that are partly bytes as read; the file gets the
  // bytes write() would give for their text.
  void write(const FieldToWrite* fields, int count);
  // Flushes and closes, emptying a file that no record reached; throws
  // WriteError when the data did not all reach the file.
  void close();
  // Closes without reporting errors (after a failure already reported). A
  // file that no record reached is left as it was, or removed when create()
  // made it.
  void abandon() noexcept;

  uint64_t recordsWritten() const { return recordsWritten_; }
  // Whether write() has taken a record, even one a fault later took back.
  bool started() const { return started_; }

 private:
  void flush();
  int emptyOnce();
  void keepWholeRecords(size_t done);
  void putHead();
  template <class UnitsOf, class PutField>
  void writeRecord(int count, UnitsOf unitsOf, PutField putField);
  // The field's characters put at `to`, between its quotes; the end of what
  // was written.
  [[gnu::always_inline]] char* encodeField(const Text& field, char* to, int number, size_t recordStart);
  [[gnu::noinline]] char* copyField(std::string_view bytes, char* to, int number, size_t recordStart, bool asciiAsIs);
  // Kept out of copyField, whose common path then saves no registers.
  [[gnu::noinline]] char* copyOtherField(std::string_view bytes, char* to, int number, size_t recordStart);
  // Rare: kept out of copyOtherField, which then sets up no text on every field.
  [[gnu::cold, gnu::noinline]] char* copyThroughText(std::string_view bytes, char* to, int number, size_t recordStart);

  int fd_ = -1;
  bool owned_ = false;
  std::string path_;
  bool created_ = false;       // create() made the file
  bool emptyPending_ = false;  // the file still holds what it held before
  bool started_ = false;
  OutputBuffer buffer_;
  std::vector<size_t> recordEnds_;  // ends of the records in buffer_
  uint64_t recordsWritten_ = 0;
  TextEncoding encoding_ = TextEncoding::Cp932;
  std::string head_;
  bool headPut_ = false;
};

}  // namespace zumaro
