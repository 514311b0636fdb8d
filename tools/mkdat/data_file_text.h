#pragma once
// The text of the 23 data files: file k holds the entries whose keys lie in
// row k of the range table, sorted by key in character-code order, entries of
// one key in the order given; code page 932, one entry of eleven quoted
// fields per line, CR LF.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdat/data_entry.h"

namespace zumaro::mkdat {

constexpr int kDataFiles = 23;

struct DataFileTexts {
  std::array<std::string, kDataFiles + 1> bytes;  // [1]..[23]
  std::array<int64_t, kDataFiles + 1> entries{};
  int64_t duplicatesDropped = 0;  // entries equal in every field to an earlier one of their key
};

// Sorts `entries` (stably, by key). Throws BuildFailure, naming the source
// row, on a field that a data file cannot hold (a double quote, a line end).
DataFileTexts makeDataFileTexts(std::vector<DataEntry>& entries);

}  // namespace zumaro::mkdat
