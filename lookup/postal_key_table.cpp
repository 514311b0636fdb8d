#include "lookup/postal_key_table.h"

#include "lookup/range_table.h"

namespace zumaro {

void PostalKeyTable::clear() {
  std::vector<uint64_t>().swap(slots_);
  mask_ = 0;
  shift_ = 32;
}

void PostalKeyTable::build(const std::vector<int32_t>& numbers) {
  clear();
  const size_t count = numbers.size();
  if (count == 0 || count > kFieldMask) return;
  int bits = 4;
  while ((size_t{1} << bits) < 2 * count) ++bits;  // room for every key, were all distinct
  slots_.assign(size_t{1} << bits, 0);
  mask_ = slots_.size() - 1;
  shift_ = 32 - bits;
  // Past the last key: a number no key has, so the last run is inserted.
  constexpr int32_t kPastTheLast = -2;
  static_assert(kPastTheLast != kNotSevenDigits && kPastTheLast < 0);
  size_t first = 0;
  int32_t firstNumber = numbers[0];
  for (size_t i = 1; i <= count; ++i) {
    const int32_t number = i < count ? numbers[i] : kPastTheLast;
    if (firstNumber < 0 || number == kNotSevenDigits || i - first > kCountMask) {
      clear();
      return;
    }
    if (number == firstNumber) continue;
    insert(firstNumber, first, i - first);
    first = i;
    firstNumber = number;
  }
}

void PostalKeyTable::insert(int32_t number, size_t first, size_t count) {
  size_t i = home(number);
  while (slots_[i] != 0) i = (i + 1) & mask_;
  slots_[i] = (static_cast<uint64_t>(number) + 1) << kKeyShift | static_cast<uint64_t>(count) << kCountShift | first;
}

}  // namespace zumaro
