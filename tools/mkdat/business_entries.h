#pragma once
// The business entries made from JIGYOSYO rows: the company name written and
// read, the prefecture, city and town area with block and number written, and
// the readings of prefecture and city, which JIGYOSYO lacks, taken from the
// KEN_ALL rows of the same municipality code.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/mkdat/data_entry.h"
#include "tools/mkdat/postal_rows.h"

namespace zumaro::mkdat {

struct MunicipalityReading {
  Text prefecture;
  Text city;
};
using MunicipalityReadings = std::unordered_map<Text, MunicipalityReading>;

// The readings of the first KEN_ALL row of each municipality code.
MunicipalityReadings municipalityReadings(const std::vector<AddressRow>& rows);

// One entry per row, in row order; `withoutReadings` counts the rows whose
// municipality KEN_ALL does not have (their readings stay empty).
std::vector<DataEntry> makeBusinessEntries(const std::vector<BusinessRow>& rows, const std::string& file,
                                           const MunicipalityReadings& readings, int64_t& withoutReadings);

}  // namespace zumaro::mkdat
