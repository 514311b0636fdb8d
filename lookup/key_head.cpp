#include "lookup/key_head.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zumaro {
namespace {

KeyHead headOneByOne(TextView key) {
  KeyHead head;
  head.length = key.size();
  head.fits = key.size() <= 8;
  for (size_t i = 0; i < 8; ++i) {
    const unsigned c = i < key.size() ? key[i] : 0u;
    if (c >= 0xFF) head.narrow = false;
    if (c == 0 && i < key.size()) head.fits = false;
    head.value = (head.value << 8) | (c < 0xFF ? c : 0xFFu);
  }
  return head;
}

}  // namespace

KeyHead keyHeadOf(TextView key, const char16_t* readableEnd) {
#ifdef __SSE2__
  if (readableEnd - key.data() < 8) return headOneByOne(key);
  KeyHead head;
  head.length = key.size();
  const auto used = static_cast<int16_t>(key.size() < 8 ? key.size() : 8);
  const __m128i inKey = _mm_cmpgt_epi16(_mm_set1_epi16(used), _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7));
  const __m128i chars = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(key.data())), inKey);
  // Unsigned saturation: nonzero exactly where a character is U+00FF or more.
  const __m128i wide = _mm_subs_epu16(chars, _mm_set1_epi16(0xFE));
  head.narrow = _mm_movemask_epi8(_mm_cmpeq_epi16(wide, _mm_setzero_si128())) == 0xFFFF;
  const __m128i nul = _mm_and_si128(_mm_cmpeq_epi16(chars, _mm_setzero_si128()), inKey);
  head.fits = key.size() <= 8 && _mm_movemask_epi8(nul) == 0;
  const __m128i capped = _mm_sub_epi16(chars, _mm_subs_epu16(chars, _mm_set1_epi16(0xFF)));  // min(c, 0xFF)
  const auto bytes = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_packus_epi16(capped, capped)));
  head.value = __builtin_bswap64(bytes);  // the first character lands lowest
  return head;
#else
  (void)readableEnd;
  return headOneByOne(key);
#endif
}

// Unequal narrow heads differ first where the texts do, or where the
// shorter key ends; equal ones of keys no longer than eight leave the
// shorter a prefix of the longer.
bool keySortsBefore(const KeyHead& key, TextView keyText, const KeyHead& before, TextView beforeText) {
  if (key.narrow && before.narrow) {
    if (key.value != before.value) return key.value < before.value;
    if (key.length <= 8 && before.length <= 8) return key.length < before.length;
  }
  return textLess(keyText, beforeText);
}

}  // namespace zumaro
