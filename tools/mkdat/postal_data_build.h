#pragma once
// From Japan Post's KEN_ALL (and JIGYOSYO) to a data folder of 01.dat ..
// 23.dat: read and check every row, join split town areas, make the entries,
// fold small kana, sort, write and publish. Nothing is published unless every
// step succeeded.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "tools/mkdat/address_entries.h"
#include "tools/mkdat/data_file_text.h"

namespace zumaro::mkdat {

struct BuildProgress {
  const char* what;  // "KEN_ALLの行", "JIGYOSYOの行", "並べ替えて書き込むデータ"
  int64_t count;     // of those so far
  double fraction;   // of the file read so far; below 0 when no file is read
};

struct BuildOptions {
  std::string kenAll;    // ken_all.zip or KEN_ALL.CSV
  std::string jigyosyo;  // empty: no business entries
  std::string output;    // the data folder
  bool keepSmallKana = false;
  std::function<void(const BuildProgress&)> onProgress;
};

struct BuildSummary {
  int64_t addressRows = 0;
  int64_t businessRows = 0;
  int64_t rowsJoined = 0;  // rows of split town areas joined into their first row
  AddressEntryCounts address;
  int64_t businessWithoutReadings = 0;
  int64_t duplicatesDropped = 0;
  std::array<int64_t, kDataFiles + 1> entries{};  // [1]..[23]
  int64_t totalEntries = 0;
  std::string dataDate;  // YYYY-MM-DD, as the manifest gives it
  double seconds = 0;
};

// Throws BuildFailure with the message for the user.
BuildSummary buildDataFolder(const BuildOptions& options);

}  // namespace zumaro::mkdat
