#pragma once
// The rows of Japan Post's two files, by column.
//
// KEN_ALL (15 columns): municipality code, old code, postal code, readings of
// prefecture, city and town area (half-width katakana), written prefecture,
// city and town area, then six flags.
// JIGYOSYO (13 columns): municipality code, reading of the name, name,
// prefecture, city, town area, block and number, postal code, old code,
// handling office, then three flags.
#include <cstdint>
#include <string>

#include "text/text.h"
#include "tools/mkdat/csv_lines.h"

namespace zumaro::mkdat {

constexpr size_t kAddressColumns = 15;
constexpr size_t kBusinessColumns = 13;

struct AddressRow {
  int64_t line = 0;
  Text municipality;
  Text postalCode;
  Text prefectureReading, cityReading, townReading;
  Text prefecture, city, town;
};

struct BusinessRow {
  int64_t line = 0;
  Text municipality;
  Text nameReading, name;
  Text prefecture, city, town, block;
  Text postalCode;
};

// Throw BuildFailure, naming `file` and the line, on a wrong column count or
// a postal code that is not seven digits within the ranges of the data files.
AddressRow toAddressRow(CsvRow& row, const std::string& file);
BusinessRow toBusinessRow(CsvRow& row, const std::string& file);

}  // namespace zumaro::mkdat
