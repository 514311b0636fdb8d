#pragma once
// Keys, readings and entries for tests and fuzz targets of the data file
// searches: small sets that lists and data folders draw from, so that
// records meet entries often.
#include <string>
#include <vector>

namespace zumaro::testing {

extern const std::vector<std::string> kCityReadings;
extern const std::vector<std::string> kTownReadings;

// Keys of data file k: a handful sharing their first five digits, so that
// lists repeat them, plus longer keys (beyond eight characters too), a
// shorter one and keys with wide characters that sort next to them.
std::vector<std::string> keysOf(int k);

struct EntryShape {
  bool business = false;
  bool building = false;
  std::string cityReading;
  std::string townReading;
};

// One data file line (UTF-8) of eleven fields; `id` tells the entries'
// written forms apart, so the output shows which entry was applied.
std::string entryLine(const std::string& key, int id, const EntryShape& shape);

}  // namespace zumaro::testing
