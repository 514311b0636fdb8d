#pragma once
// What the load keeps of each entry key for the searches: its first eight
// characters as one number (see LoadedDataFile::keyHeads_), and what says
// whether that number alone orders it.
#include <cstdint>

#include "state/text.h"

namespace zumaro {

struct KeyHead {
  uint64_t value = 0;  // one byte a character, the first highest; U+00FF and up give 0xFF
  size_t length = 0;
  bool narrow = true;  // no character from U+00FF up among the first eight
  bool fits = true;    // at most eight characters, none of them U+0000
};

// The head of `key`; eight characters are read at once when they all lie
// before `readableEnd`.
KeyHead keyHeadOf(TextView key, const char16_t* readableEnd);

// Whether `key` sorts before `before` in character-code order, decided by
// their heads where these can.
bool keySortsBefore(const KeyHead& key, TextView keyText, const KeyHead& before, TextView beforeText);

}  // namespace zumaro
