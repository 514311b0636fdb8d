#include "address/ascii_title_case.h"

#include "text/simd.h"

namespace zumaro {

#if ZUMARO_SSE2
namespace {

__m128i unitsWithin(__m128i units, char16_t first, char16_t last) {
  const __m128i above = _mm_sub_epi16(units, _mm_set1_epi16(static_cast<short>(first)));
  return _mm_cmpeq_epi16(_mm_subs_epu16(above, _mm_set1_epi16(static_cast<short>(last - first))), _mm_setzero_si128());
}

__m128i wordSeparators(__m128i units) {
  const __m128i space = _mm_cmpeq_epi16(units, _mm_set1_epi16(' '));
  const __m128i nul = _mm_cmpeq_epi16(units, _mm_setzero_si128());
  return _mm_or_si128(_mm_or_si128(space, nul), unitsWithin(units, u'\t', u'\r'));
}

bool allAscii(__m128i units) {
  return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(0x7F)), _mm_setzero_si128())) == 0xFFFF;
}

// The eight units at `at`, each cased by whether the unit before it (the
// text's start counting as a space) separates words. False, and nothing
// written, where one is not ASCII. Cased units separate as before, so a
// step may read units an earlier step wrote.
bool caseStep(char16_t* text, size_t at) {
  const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
  if (!allAscii(units)) return false;
  const __m128i before = at == 0 ? _mm_insert_epi16(_mm_slli_si128(units, 2), ' ', 0)
                                 : _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at - 1));
  const __m128i starts = wordSeparators(before);
  const __m128i toUpper = _mm_and_si128(starts, unitsWithin(units, u'a', u'z'));
  const __m128i toLower = _mm_andnot_si128(starts, unitsWithin(units, u'A', u'Z'));
  const __m128i caseBit = _mm_set1_epi16(0x20);
  const __m128i cased =
      _mm_add_epi16(_mm_sub_epi16(units, _mm_and_si128(toUpper, caseBit)), _mm_and_si128(toLower, caseBit));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(text + at), cased);
  return true;
}

}  // namespace

size_t titleCaseAsciiSteps(char16_t* text, size_t size) {
  size_t at = 0;
  for (; at + 8 <= size; at += 8) {
    if (!caseStep(text, at)) return at;
  }
  if (at == size || size < 8) return at;
  return caseStep(text, size - 8) ? size : at;
}
#else
size_t titleCaseAsciiSteps(char16_t*, size_t) { return 0; }
#endif

}  // namespace zumaro
