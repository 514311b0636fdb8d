#pragma once
// How many units two texts begin with alike, asked at every entry the
// comparison meets, so it is kept inline.
#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "state/text.h"

namespace zumaro {
namespace common_length_detail {

// The units alike at the start of a[at..] and b[at..], `Word` bytes at a
// time; false where they differ within it, with `at` moved to the first
// difference.
template <typename Word>
inline bool alikeWord(const char16_t* a, const char16_t* b, size_t& at) {
  Word x, y;
  std::memcpy(&x, a + at, sizeof x);
  std::memcpy(&y, b + at, sizeof y);
  if (x == y) {
    at += sizeof(Word) / sizeof(char16_t);
    return true;
  }
  at += static_cast<size_t>(__builtin_ctzll(static_cast<unsigned long long>(x ^ y))) / 16;
  return false;
}

#ifdef __SSE2__
// The eight units at `at`: how many are alike before the first difference.
inline size_t alikeStep(const char16_t* a, const char16_t* b, size_t at) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
  const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
  const auto unlike = static_cast<unsigned>(~_mm_movemask_epi8(_mm_cmpeq_epi16(x, y)) & 0xFFFF);
  return unlike == 0 ? 8 : static_cast<size_t>(__builtin_ctz(unlike)) / 2;
}
#endif

}  // namespace common_length_detail

// How many units the two begin with alike: eight at a time while both
// have them (the last eight overlapping those before), as the readings
// compared are mostly alike for a long stretch; a short reading by four,
// two and one. Little-endian words: the lowest differing bits are the
// first differing unit.
inline size_t commonLength(TextView a, TextView b) {
  const size_t limit = std::min(a.size(), b.size());
  size_t common = 0;
#if defined(__SSE2__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  if (limit >= 8) {
    for (; common + 8 <= limit; common += 8) {
      const size_t alike = common_length_detail::alikeStep(a.data(), b.data(), common);
      if (alike < 8) return common + alike;
    }
    if (common == limit) return limit;
    return limit - 8 + common_length_detail::alikeStep(a.data(), b.data(), limit - 8);
  }
  if (limit - common >= 4 && !common_length_detail::alikeWord<uint64_t>(a.data(), b.data(), common)) return common;
  if (limit - common >= 2 && !common_length_detail::alikeWord<uint32_t>(a.data(), b.data(), common)) return common;
#endif
  while (common < limit && a[common] == b[common]) ++common;
  return common;
}

}  // namespace zumaro
