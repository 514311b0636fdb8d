#pragma once
// Which of the 23 data files serves a postal code.
#include <cstdint>

#include "text/text.h"

namespace zumaro {

struct PostalRange {
  const char16_t* lower;
  const char16_t* upper;
};

// Row k (1..23) of the range table.
const PostalRange& postalRange(int k);

// Seven ASCII digits as their number; every other text gives -1. Among keys
// of seven digits the numbers stand in the texts' order. Inline: every
// record's key is read so, twice.
inline constexpr int32_t kNotSevenDigits = -1;
constexpr int32_t sevenDigitNumber(TextView key) {
  if (key.size() != 7) return kNotSevenDigits;
  int32_t n = 0;
  for (size_t i = 0; i < 7; ++i) {
    const char16_t c = key[i];
    if (c < u'0' || c > u'9') return kNotSevenDigits;
    n = n * 10 + (c - u'0');
  }
  return n;
}

// The data file whose range holds `key` (character-code order, bounds
// included), or 0 when no range does.
int dataFileFor(TextView key);
// The same for a key of seven digits, given as its number.
int dataFileForNumber(int32_t number);

}  // namespace zumaro
