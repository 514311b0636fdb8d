#pragma once
// The bytes of one of Japan Post's CSV files, given either as the published
// zip file (the one .csv inside it is taken) or as the CSV file itself.
#include <cstdint>
#include <string>

namespace zumaro::mkdat {

struct SourceFile {
  SourceFile() = default;
  SourceFile(std::string csvName, std::string csvBytes) : name(std::move(csvName)), bytes(std::move(csvBytes)) {}

  std::string name;       // for messages: "ken_all.zip:KEN_ALL.CSV" or the path
  std::string bytes;      // the CSV text, code page 932 or (Japan Post's UTF-8 edition) UTF-8
  std::string fileName;   // the file given, without its folder
  std::string member;     // the CSV inside a zip file; empty for a CSV given
  std::string date;       // YYYY-MM-DD the CSV was last changed (local time)
  int64_t fileBytes = 0;  // size of the file given
  std::string sha256;     // of the file given
  bool utf8 = false;      // Japan Post's UTF-8 edition (utf_ken_all.zip)
};

// Throws BuildFailure when the file cannot be read or a zip file does not
// hold exactly one CSV file.
SourceFile loadSourceFile(const std::string& path);

}  // namespace zumaro::mkdat
