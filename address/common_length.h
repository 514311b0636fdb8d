#pragma once
// How many units two texts begin with alike, asked at every entry the
// comparison meets, so it is kept inline.
#include <algorithm>
#include <bit>

#include "text/simd.h"

#include "text/few_units.h"
#include "text/text.h"

namespace zumaro {
namespace common_length_detail {

#if ZUMARO_SSE2
// The eight units at `at`: how many are alike before the first difference.
inline size_t alikeStep(const char16_t* a, const char16_t* b, size_t at) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
  const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
  const auto unlike = static_cast<unsigned>(~_mm_movemask_epi8(_mm_cmpeq_epi16(x, y)) & 0xFFFF);
  return unlike == 0 ? 8 : static_cast<size_t>(std::countr_zero(unlike)) / 2;
}

// Up to seven units into a step whose other lanes hold `pad`, by words that
// overlap where the text is shorter than them.
inline __m128i paddedUnits(const char16_t* units, size_t n, char16_t pad) {
  alignas(16) char16_t padded[8];
  _mm_store_si128(reinterpret_cast<__m128i*>(padded), _mm_set1_epi16(static_cast<short>(pad)));
  copyFewUnits(units, n, padded);
  return _mm_load_si128(reinterpret_cast<const __m128i*>(padded));
}
#endif

}  // namespace common_length_detail

// How many units the two begin with alike: eight at a time while both
// have them (the last eight overlapping those before), as the readings
// compared are mostly alike for a long stretch; a shorter reading in one
// padded step, which asks no branch where the texts differ.
inline size_t commonLength(TextView a, TextView b) {
  const size_t limit = std::min(a.size(), b.size());
#if ZUMARO_SSE2
  if (limit >= 8) {
    size_t common = 0;
    for (; common + 8 <= limit; common += 8) {
      const size_t alike = common_length_detail::alikeStep(a.data(), b.data(), common);
      if (alike < 8) return common + alike;
    }
    if (common == limit) return limit;
    return limit - 8 + common_length_detail::alikeStep(a.data(), b.data(), limit - 8);
  }
  // Lanes past the shorter text padded unlike, so that they stop the count.
  const __m128i x = common_length_detail::paddedUnits(a.data(), limit, 0);
  const __m128i y = common_length_detail::paddedUnits(b.data(), limit, 0xFFFF);
  const auto unlike = static_cast<unsigned>(~_mm_movemask_epi8(_mm_cmpeq_epi16(x, y)) & 0xFFFF);
  return static_cast<size_t>(std::countr_zero(unlike)) / 2;
#else
  size_t common = 0;
  while (common < limit && a[common] == b[common]) ++common;
  return common;
#endif
}

}  // namespace zumaro
