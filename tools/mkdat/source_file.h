#pragma once
// The bytes of one of Japan Post's CSV files, given either as the published
// zip file (the one .csv inside it is taken) or as the CSV file itself.
#include <string>

namespace zumaro::mkdat {

struct SourceFile {
  std::string name;   // for messages: "ken_all.zip:KEN_ALL.CSV" or the path
  std::string bytes;  // the CSV text, code page 932
};

// Throws BuildFailure when the file cannot be read or a zip file does not
// hold exactly one CSV file.
SourceFile loadSourceFile(const std::string& path);

}  // namespace zumaro::mkdat
