#pragma once
// One postal data file read from its first entry on, an entry of eleven
// fields at a time: the key, then columns 1..10.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/field_reader.h"
#include "text/text_source.h"

namespace zumaro {

constexpr int kEntryFields = 11;

// "<folder>/01.dat" .. "<folder>/23.dat".
std::string dataFilePath(const std::string& folder, int k);

class DataFile {
 public:
  explicit DataFile(std::string path) : path_(std::move(path)), bytes_(source_), reader_(bytes_, kEntryFields) {}

  const std::string& path() const { return path_; }
  // Bytes of the open file (0 when not a regular file).
  uint64_t sizeInBytes() const { return source_.fileSize(); }
  // Opens the file at its first entry; throws RunFailure when it cannot.
  void open();
  // Starts again from the first entry, by closing and opening the file.
  void rewind() { open(); }
  void close() { source_.close(); }

  bool atEnd();
  // Reads the next entry into `entryKey` and `entryColumn[1]`..`entryColumn[10]`; throws
  // RunFailure on bytes that are not code page 932 or an entry cut short.
  void read(Text& entryKey, std::array<Text, 11>& entryColumn);
  // The same entry's eleven fields as valid code page 932 bytes, to decode
  // where the caller keeps them; valid until the next call.
  const std::vector<std::string>& readBytes();

 private:
  bool fetch();

  std::string path_;
  TextSource source_;
  ByteSource bytes_;  // the fields are found as bytes and decoded one by one
  ByteRecordReader reader_;
  std::vector<std::string> next_;
  bool fetched_ = false;
  bool end_ = false;
};

}  // namespace zumaro
