#include "lookup/postal_prefix_index.h"

#include "lookup/range_table.h"

namespace zumaro {

void PostalPrefixIndex::clear() {
  lowestPrefix_ = 0;
  std::vector<uint32_t>().swap(firsts_);
}

void PostalPrefixIndex::build(size_t count, const std::function<TextView(size_t)>& keyAt) {
  clear();
  if (count == 0 || count > UINT32_MAX) return;
  const int32_t lowest = sevenDigitNumber(keyAt(0));
  const int32_t highest = sevenDigitNumber(keyAt(count - 1));
  if (lowest < 0 || highest < lowest) return;
  lowestPrefix_ = lowest / kPerPrefix;
  firsts_.assign(static_cast<size_t>(highest / kPerPrefix - lowestPrefix_) + 2, static_cast<uint32_t>(count));
  size_t unset = 0;  // the first slot not yet given its entry
  for (size_t i = 0; i < count; ++i) {
    const int32_t number = sevenDigitNumber(keyAt(i));
    if (number < 0) {
      clear();
      return;
    }
    const auto slot = static_cast<size_t>(number / kPerPrefix - lowestPrefix_);
    while (unset <= slot) firsts_[unset++] = static_cast<uint32_t>(i);
  }
}

}  // namespace zumaro
