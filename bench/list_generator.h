#pragma once
// Address lists of ten fields made from the entries of a data folder (the
// generated one or one built from real postal data):
//   1 number, 2 name reading, 3 postal code, 4 prefecture reading,
//   5 city reading with block number, 6 building, 7 company, 8 telephone,
//   9 date, 10 note.
// About 85 % carry the key and the readings of an entry, 5 % an entry whose
// 町 is read the other way (ﾁﾖｳ for ﾏﾁ or the reverse), 10 % a key no entry has.
#include <cstdint>
#include <string>

namespace zumaro::bench {

enum class ListOrder { Sorted, Unsorted };

struct ListShape {
  int64_t records = 10000;
  ListOrder order = ListOrder::Unsorted;
  uint64_t seed = 1;
};

void generateList(const std::string& dataFolder, const std::string& path, const ListShape& shape);

// The settings the benchmark converts such a list with.
inline constexpr const char* kListSettings =
    "--fields 10 --postal 3 --pref 4 --city 5 --building 6 --company 7 --etc1 2 --opt1 4 --etc2 10 --opt2 3";

}  // namespace zumaro::bench
