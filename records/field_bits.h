#pragma once
// Where a record's double quotes and field ends are, 64 bytes at a time, as
// the bits of two words: a record of short fields is then walked a few
// instructions a field, its bytes looked at in blocks. The bits are taken
// in order, those taken cleared; a window is left for the next once all
// its bits are taken.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "records/read_error.h"

namespace zumaro {

class FieldBits {
 public:
  static constexpr ptrdiff_t kWindow = 64;

  // Windows from `from` on. Only whole windows that end before `end` are
  // taken, so that the byte after any bit is always there to read, and
  // none past the longest field from `from`, so that no value the bits
  // show is longer.
  FieldBits(const char* from, const char* end)
      : from_(from),
        base_(from),
        lastBase_(std::min(end - from - 1, static_cast<ptrdiff_t>(kMaxFieldLength)) - kWindow) {}
  // False when not even the first window is whole.
  bool start() { return fill(); }

  // Whether a quote is next, passing to the next window if need be; false
  // when a field end comes first or the windows end.
  bool quoteNext() {
    // Mostly the bit is in this window.
    while (__builtin_expect(quotes_ == 0, 0))
      if (ends_ != 0 || !advance()) return false;
    return true;
  }
  // The same for a field end.
  bool endNext() {
    while (__builtin_expect(ends_ == 0, 0))
      if (quotes_ != 0 || !advance()) return false;
    return true;
  }
  // Whether a quote comes before the next field end, in this window.
  bool quoteBeforeEnd() const { return (quotes_ & ((ends_ & -ends_) - 1)) != 0; }
  // Take the quote or field end that is next.
  void dropQuote() { quotes_ &= quotes_ - 1; }
  const char* takeQuote() { return base_ + takeLowest(quotes_); }
  const char* takeEnd() { return base_ + takeLowest(ends_); }

 private:
  static size_t takeLowest(uint64_t& bits) {
    const auto at = static_cast<unsigned>(__builtin_ctzll(bits));
    bits &= bits - 1;
    return at;
  }

  bool advance() {
    base_ += kWindow;
    return fill();
  }

  // The bits of the window at base_. A byte up to 0x0D counts as a field
  // end: a line end, or a control byte no plain walk takes, which fails
  // the walk as any other byte that is no comma would.
  bool fill() {
    if (base_ - from_ > lastBase_) return false;
    quotes_ = ends_ = 0;
#ifdef __SSE2__
    for (int k = 0; k < kWindow; k += 16) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base_ + k));
      const __m128i quote = _mm_cmpeq_epi8(b, _mm_set1_epi8('"'));
      const __m128i end = _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8(',')),
                                       _mm_cmpeq_epi8(_mm_min_epu8(b, _mm_set1_epi8('\r')), b));
      quotes_ |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(quote))) << k;
      ends_ |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(end))) << k;
    }
#else
    for (int k = 0; k < kWindow; ++k) {
      const auto c = static_cast<unsigned char>(base_[k]);
      quotes_ |= static_cast<uint64_t>(c == '"') << k;
      ends_ |= static_cast<uint64_t>(c == ',' || c <= '\r') << k;
    }
#endif
    return true;
  }

  const char* const from_;
  const char* base_;          // of the window the bits stand for
  const ptrdiff_t lastBase_;  // from from_, the last base a window may have
  uint64_t quotes_ = 0;
  uint64_t ends_ = 0;
};

}  // namespace zumaro
