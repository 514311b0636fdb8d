#pragma once
// Where a record's double quotes, commas and line ends are, 64 bytes at a
// time, as the bits of words: a record of short fields is then walked
// a few instructions a field, its bytes looked at in blocks. Quotes are
// taken in order; a window is left for the next only when every quote in
// it is taken and it holds no line end, which inside a record can only
// stand inside a quoted value.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "text/simd.h"

#include "text/read_error.h"

namespace zumaro {

class FieldBits {
 public:
  static constexpr ptrdiff_t kWindow = 64;

  // Windows from `from` on. Only whole windows that end two bytes before
  // `end` are taken, so that the two bytes after any bit are always there
  // to read, and none past the longest field from `from`, so that no value
  // the bits show is longer.
  FieldBits(const char* from, const char* end)
      : from_(from),
        base_(from),
        lastBase_(std::min(end - from - 2, static_cast<ptrdiff_t>(kMaxFieldLength)) - kWindow) {}
  // False when not even the first window is whole.
  bool start() { return fill(); }

  // Takes the opening quote of a value, the next quote there is.
  bool takeOpeningQuote() {
    if (!quoteAhead()) return false;
    quotes_ &= quotes_ - 1;
    return true;
  }
  // Takes the next quote, which closes a value; null when the walk cannot go on.
  const char* takeClosingQuote() {
    if (!quoteAhead()) return nullptr;
    const char* at = base_ + std::countr_zero(quotes_);
    quotes_ &= quotes_ - 1;
    return at;
  }

  // The first comma or line end from `at` on, which is no further back
  // than this window; null when a quote comes first or the walk cannot go on.
  const char* endFrom(const char* at) {
    for (;;) {
      const ptrdiff_t offset = at - base_;
      if (offset >= kWindow) {
        if (!leave()) return nullptr;
        continue;
      }
      const uint64_t ends = (commas() | lineEnds_) & (offset > 0 ? ~uint64_t{0} << offset : ~uint64_t{0});
      if (ends != 0) [[likely]] {
        // Quotes before `at` are all taken: one before the end is in the value.
        if ((quotes_ & ((ends & -ends) - 1)) != 0) return nullptr;
        return base_ + std::countr_zero(ends);
      }
      if (!leave()) return nullptr;
    }
  }

  // Whether `at`, where the record's last value ends, is its first line end.
  bool firstLineEndAt(const char* at) {
    while (at - base_ >= kWindow)
      if (!leave()) return false;
    return (lineEnds_ & -lineEnds_) == uint64_t{1} << (at - base_);
  }

 private:
  bool quoteAhead() {
    // Mostly the quote is in this window.
    while (quotes_ == 0) [[unlikely]] if (!leave()) return false;
    return true;
  }

  bool leave() {
    if (quotes_ != 0 || lineEnds_ != 0) return false;
    base_ += kWindow;
    return fill();
  }

  // The bits of the window at base_. A byte up to 0x0D counts as a line
  // end: a control byte stops the walk as a line end in the wrong place
  // does, and the byte walk then takes the record. Commas are found only
  // for unquoted values: quoted ones are walked by their quotes.
  bool fill() {
    if (base_ - from_ > lastBase_) return false;
    quotes_ = lineEnds_ = 0;
    commasFound_ = false;
#if ZUMARO_SSE2
    for (int k = 0; k < kWindow; k += 16) {
      const __m128i b = load(k);
      quotes_ |= bitsOf(_mm_cmpeq_epi8(b, _mm_set1_epi8('"')), k);
      lineEnds_ |= bitsOf(_mm_cmpeq_epi8(_mm_min_epu8(b, _mm_set1_epi8('\r')), b), k);
    }
#else
    for (int k = 0; k < kWindow; ++k) {
      const auto c = static_cast<unsigned char>(base_[k]);
      quotes_ |= static_cast<uint64_t>(c == '"') << k;
      lineEnds_ |= static_cast<uint64_t>(c <= '\r') << k;
    }
#endif
    return true;
  }

  uint64_t commas() {
    if (commasFound_) return commas_;
    commas_ = 0;
#if ZUMARO_SSE2
    for (int k = 0; k < kWindow; k += 16) commas_ |= bitsOf(_mm_cmpeq_epi8(load(k), _mm_set1_epi8(',')), k);
#else
    for (int k = 0; k < kWindow; ++k) commas_ |= static_cast<uint64_t>(base_[k] == ',') << k;
#endif
    commasFound_ = true;
    return commas_;
  }

#if ZUMARO_SSE2
  __m128i load(int k) const { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(base_ + k)); }
  static uint64_t bitsOf(__m128i found, int k) {
    return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(found))) << k;
  }
#endif

  const char* const from_;
  const char* base_;          // of the window the bits stand for
  const ptrdiff_t lastBase_;  // from from_, the last base a window may have
  uint64_t quotes_ = 0;       // those not yet taken
  uint64_t commas_ = 0;       // once commasFound_
  uint64_t lineEnds_ = 0;
  bool commasFound_ = false;
};

}  // namespace zumaro
