#pragma once
// What a decode or an encode gave, for comparing a fast codec path with its
// reference in tests.
#include <cstddef>
#include <string>

#include "text/text.h"

namespace zumaro::testing {

struct Decoded {
  Text text;
  size_t consumed;
  bool invalid;
  bool operator==(const Decoded&) const = default;
};

struct Encoded {
  std::string bytes;
  bool ok;
  size_t bad;
  bool operator==(const Encoded&) const = default;
};

}  // namespace zumaro::testing
