#pragma once
// What the load keeps of each entry key for the searches: its first eight
// characters as one number (see LoadedDataFile::keyHeads_), and what says
// whether that number alone orders it.
#include <cstdint>

#include "text/simd.h"

#include "text/few_units.h"
#include "text/text.h"

namespace zumaro {

struct KeyHead {
  uint64_t value = 0;  // one byte a character, the first highest; U+00FF and up give 0xFF
  size_t length = 0;
  bool narrow = true;  // no character from U+00FF up among the first eight
  bool fits = true;    // at most eight characters, none of them U+0000
};

// The head of `key`, one character after another.
KeyHead keyHeadOneByOne(TextView key);

// The head of `key`, from `first`: its first characters, eight of them
// readable.
inline KeyHead keyHeadFrom(TextView key, const char16_t* first) {
#if ZUMARO_SSE2
  KeyHead head;
  head.length = key.size();
  const auto used = static_cast<int16_t>(key.size() < 8 ? key.size() : 8);
  const __m128i inKey = _mm_cmpgt_epi16(_mm_set1_epi16(used), _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7));
  const __m128i chars = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first)), inKey);
  // Unsigned saturation: nonzero exactly where a character is U+00FF or more.
  const __m128i wide = _mm_subs_epu16(chars, _mm_set1_epi16(0xFE));
  head.narrow = _mm_movemask_epi8(_mm_cmpeq_epi16(wide, _mm_setzero_si128())) == 0xFFFF;
  const __m128i nul = _mm_and_si128(_mm_cmpeq_epi16(chars, _mm_setzero_si128()), inKey);
  head.fits = key.size() <= 8 && _mm_movemask_epi8(nul) == 0;
  const __m128i capped = _mm_sub_epi16(chars, _mm_subs_epu16(chars, _mm_set1_epi16(0xFF)));  // min(c, 0xFF)
  const auto bytes = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_packus_epi16(capped, capped)));
  // The first character lands highest, so heads compare as numbers as the
  // keys compare as texts (std::byteswap from C++23 on).
  head.value = __builtin_bswap64(bytes);
  return head;
#else
  (void)first;
  return keyHeadOneByOne(key);
#endif
}

// The head of `key`; its eight first characters are read at once when they
// all lie before `readableEnd`, else copied out first. Inline, as the load
// takes one for every entry and the search one for every key it looks up.
inline KeyHead keyHeadOf(TextView key, const char16_t* readableEnd) {
  if (readableEnd - key.data() >= 8) return keyHeadFrom(key, key.data());
  // Two copies that may overlap cover the characters, a key of seven
  // taking no loop.
  char16_t first[8] = {};
  const size_t used = key.size() < 8 ? key.size() : 8;
  copyFewUnits(key.data(), used, first);
  return keyHeadFrom(key, first);
}

// Unequal narrow heads differ first where the texts do, or where the
// shorter key ends; equal ones of keys no longer than eight leave the
// shorter a prefix of the longer.
inline bool keySortsBefore(const KeyHead& key, TextView keyText, const KeyHead& before, TextView beforeText) {
  if (key.narrow && before.narrow) {
    if (key.value != before.value) return key.value < before.value;
    if (key.length <= 8 && before.length <= 8) return key.length < before.length;
  }
  return textLess(keyText, beforeText);
}

}  // namespace zumaro
