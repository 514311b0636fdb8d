#pragma once
// Where each four-digit start of a postal code begins among a data file's
// entries, for a file whose keys are all seven digits in one ascending run,
// as postal files are. A search for an unsorted list's key would otherwise
// begin with a binary search whose every step waits on memory; this is one
// read of a small table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/text.h"

namespace zumaro {

class PostalPrefixIndex {
 public:
  // Indexes ascending keys given as their numbers (sevenDigitNumber);
  // leaves the index empty when any key is not seven digits (-1).
  void build(const std::vector<int32_t>& numbers);
  void clear();

  // [from, to) narrowed to the entries that share the first four digits of
  // `number` (a seven-digit key as a number). The first entry not less than
  // that key stays inside, or at `to`.
  void narrow(int32_t number, size_t& from, size_t& to) const {
    const int32_t slot = number / kPerPrefix - lowestPrefix_;
    if (slot < 0 || static_cast<size_t>(slot) + 1 >= firsts_.size()) return;
    from = std::max<size_t>(from, firsts_[static_cast<size_t>(slot)]);
    to = std::min<size_t>(to, firsts_[static_cast<size_t>(slot) + 1]);
  }
  // Asks for the memory narrow() will read for `number`.
  void prefetch(int32_t number) const {
    const int32_t slot = number / kPerPrefix - lowestPrefix_;
    if (slot >= 0 && static_cast<size_t>(slot) + 1 < firsts_.size())
      __builtin_prefetch(&firsts_[static_cast<size_t>(slot)]);
  }

 private:
  static constexpr int32_t kPerPrefix = 1000;  // codes that share four digits
  int32_t lowestPrefix_ = 0;
  // firsts_[p]: the first entry whose prefix is at least lowestPrefix_ + p;
  // one more slot than prefixes, holding the entry count.
  std::vector<uint32_t> firsts_;
};

}  // namespace zumaro
