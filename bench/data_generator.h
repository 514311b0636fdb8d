#pragma once
// A made-up postal data folder of full size: 01.dat .. 23.dat, each holding
// the keys of its range in ascending order.
#include <cstdint>
#include <string>

namespace zumaro::bench {

struct DataShape {
  int addressEntries = 124000;
  int businessEntries = 22000;
  uint64_t seed = 20261207;
};

void generateDataFolder(const std::string& folder, const DataShape& shape);

}  // namespace zumaro::bench
