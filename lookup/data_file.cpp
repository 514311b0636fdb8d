#include "lookup/data_file.h"

#include <cerrno>
#include <cstdio>

#include "state/failure.h"
#include "text/read_error.h"

namespace zumaro {

std::string dataFilePath(const std::string& folder, int k) {
  char name[8];
  std::snprintf(name, sizeof name, "%02d.dat", k);
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void DataFile::open() {
  if (!source_.open(path_)) throw RunFailure(openFailure(path_, errno));
  bytes_.restart();
  reader_ = ByteRecordReader(bytes_, kEntryFields);
  fetched_ = false;
  end_ = false;
}

bool DataFile::fetch() {
  if (fetched_) return !end_;
  fetched_ = true;
  ByteRecordReader::Result result;
  try {
    result = reader_.next(next_);
  } catch (const ReadError& e) {
    throw RunFailure(u"郵便番号データ " + describeReadError(e, path_, u"件目のデータ"));
  }
  if (result == ByteRecordReader::Result::ShortRecord) {
    throw RunFailure(u"郵便番号データ " + fromUtf8(path_) + u" が" + decimal(reader_.recordNumber()) +
                     u"件目のデータの途中で終わっています。");
  }
  end_ = result == ByteRecordReader::Result::End;
  return !end_;
}

bool DataFile::atEnd() { return !fetch(); }

void DataFile::read(Text& entryKey, std::array<Text, 11>& entryColumn) {
  if (!fetch()) return;
  fetched_ = false;
  auto decode = [](const std::string& bytes, Text& text) {
    text.clear();
    decodeText(TextEncoding::Cp932, bytes.data(), bytes.size(), true, text);
  };
  decode(next_[0], entryKey);
  for (size_t i = 1; i < static_cast<size_t>(kEntryFields); ++i) decode(next_[i], entryColumn[i]);
}

const std::vector<std::string>& DataFile::readBytes() {
  fetch();
  fetched_ = false;
  return next_;
}

}  // namespace zumaro
