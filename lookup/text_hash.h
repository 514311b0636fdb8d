#pragma once
// FNV-1a over code units, one at a time, so that every prefix's hash comes
// from the one before it: a text's prefixes are looked up for the cost of
// one pass.
#include <cstdint>

#include "text/text.h"

namespace zumaro {

constexpr uint64_t kHashStart = 1469598103934665603ull;
constexpr uint64_t hashOn(uint64_t hash, char16_t c) { return (hash ^ c) * 1099511628211ull; }

inline uint64_t hashOf(TextView text) {
  uint64_t hash = kHashStart;
  for (char16_t c : text) hash = hashOn(hash, c);
  return hash;
}

}  // namespace zumaro
