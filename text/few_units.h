#pragma once
// Up to eight UTF-16 units copied into a buffer of eight, the places beyond
// them keeping what they held, by two words that overlap where the text is
// shorter than them: short keys and readings take no loop.
#include <cstddef>
#include <cstring>

namespace zumaro {

inline void copyFewUnits(const char16_t* units, size_t n, char16_t* to) {
  if (n >= 4) {
    std::memcpy(to, units, 8);
    std::memcpy(to + n - 4, units + n - 4, 8);
  } else if (n >= 2) {
    std::memcpy(to, units, 4);
    std::memcpy(to + n - 2, units + n - 2, 4);
  } else if (n == 1) {
    to[0] = units[0];
  }
}

}  // namespace zumaro
