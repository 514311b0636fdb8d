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

// Days the folder's data are older than kStaleDataDays allows, counted up to
// `today` (YYYY-MM-DD, see todayDate); nullopt when they are not, or have no date.
std::optional<int64_t> staleDataAge(const DataFolderDescription& description, const std::string& today);

// 郵便番号データ: <folder>（<date>、<N>件）, 日付不明 standing for a missing date;
// for stale data the age and how to renew them follow the count.
Text dataFolderLine(const DataFolderDescription& description, const std::string& today);

}  // namespace zumaro
