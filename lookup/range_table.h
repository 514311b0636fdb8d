#pragma once
// Which of the 23 data files serves a postal code.
#include "state/text.h"

namespace zumaro {

struct PostalRange {
  const char16_t* lower;
  const char16_t* upper;
};

// Row k (1..23) of the range table.
const PostalRange& postalRange(int k);

// The data file whose range holds `key` (character-code order, bounds
// included), or 0 when no range does.
int dataFileFor(TextView key);

}  // namespace zumaro
