#pragma once
// What a data folder holds, as the programs show it to the user: its date and
// entry count from the manifest zumaro-mkdat writes, or the entries counted
// when it has none.
#include <cstdint>
#include <optional>
#include <string>

#include "text/text.h"

namespace zumaro {

struct DataFolderDescription {
  std::string folder;
  bool exists = false;              // a folder at that path
  std::optional<std::string> date;  // YYYY-MM-DD of the source data; none without a manifest
  int64_t entries = 0;              // from the manifest, else the lines of the data files there
  bool filesMissing = false;        // some of 01.dat .. 23.dat are not regular files
  bool isSample = false;            // the small sample of this repository, data/sample
};

DataFolderDescription describeDataFolder(const std::string& folder);

// 郵便番号データ: <folder>（<date>、<N>件）, 日付不明 standing for a missing date.
Text dataFolderLine(const DataFolderDescription& description);

}  // namespace zumaro
