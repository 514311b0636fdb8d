#include "lookup/postal_prefix_index.h"

namespace zumaro {

void PostalPrefixIndex::clear() {
  lowestPrefix_ = 0;
  std::vector<uint32_t>().swap(firsts_);
}

void PostalPrefixIndex::build(const std::vector<int32_t>& numbers) {
  clear();
  const size_t count = numbers.size();
  if (count == 0 || count > UINT32_MAX) return;
  const int32_t lowest = numbers.front();
  const int32_t highest = numbers.back();
  if (lowest < 0 || highest < lowest) return;
  lowestPrefix_ = lowest / kPerPrefix;
  firsts_.assign(static_cast<size_t>(highest / kPerPrefix - lowestPrefix_) + 2, static_cast<uint32_t>(count));
  size_t unset = 0;  // the first slot not yet given its entry
  for (size_t i = 0; i < count; ++i) {
    if (numbers[i] < 0) {
      clear();
      return;
    }
    const auto slot = static_cast<size_t>(numbers[i] / kPerPrefix - lowestPrefix_);
    while (unset <= slot) firsts_[unset++] = static_cast<uint32_t>(i);
  }
}

}  // namespace zumaro
