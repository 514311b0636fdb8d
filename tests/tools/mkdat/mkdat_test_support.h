#pragma once
// Helpers of the data builder's tests: zip files, and built data folders read
// back through the converter's own data file reader.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "text/text.h"

namespace zumaro::testing {

using Entry = std::array<std::string, 11>;  // key, columns 1..10 in UTF-8

// files[k] holds the entries of k.dat, k = 1..23.
std::vector<std::vector<Entry>> readDataFolder(const std::string& folder);

// Every entry with `key`, in file order.
std::vector<Entry> entriesOf(const std::vector<std::vector<Entry>>& files, const std::string& key);

// A zip file holding `files` (name, bytes).
void writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace zumaro::testing
