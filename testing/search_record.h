#pragma once
// Test helpers for the data file searches.
#include <string>

#include "lookup/data_search.h"

namespace zumaro::testing {

// An entry with empty readings: it matches every record of its key and puts
// `city` into the city slot, so the city slot tells which entry was applied last.
std::string cityEntry(const std::string& key, const std::string& city);

// One record (prefecture in slot 1, "未変換" in the city slot 2, an empty city
// text) searched for `key`; returns its city slot afterwards.
std::string searchRecord(ConversionState& s, DataLookup& lookup, const std::string& key);

}  // namespace zumaro::testing
