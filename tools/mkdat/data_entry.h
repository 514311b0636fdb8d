#pragma once
// One entry of a data file: the key and columns 1..10, and the source row it
// was made from (for messages).
#include <array>
#include <cstdint>
#include <string>

#include "lookup/data_file.h"
#include "text/text.h"

namespace zumaro::mkdat {

enum EntryField {
  kKey = 0,
  kPrefecture = 1,
  kCity = 2,
  kTown = 3,
  kBuilding = 4,
  kCompany = 5,
  kPrefectureReading = 6,
  kCityReading = 7,
  kTownReading = 8,
  kBuildingReading = 9,
  kCompanyReading = 10,
};

struct DataEntry {
  std::array<Text, kEntryFields> fields;
  const std::string* file = nullptr;
  int64_t line = 0;
};

}  // namespace zumaro::mkdat
