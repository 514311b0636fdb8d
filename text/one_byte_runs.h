#pragma once
// Runs of characters that take one byte and map by plain arithmetic: ASCII,
// and in code page 932 also half-width katakana (0xA1-0xDF, U+FF61-U+FF9F).
// Lists are made mostly of them, so the codecs check and convert such runs
// 16 at a time where the processor allows, and take their tables for the
// rest. A run's output matches its input one to one, so the last block of a
// run may overlap the one before it: it rewrites the same values.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/simd.h"

namespace zumaro::one_byte {

enum class Kind { Ascii, AsciiAndKana };

template <Kind K>
constexpr bool isByte(uint8_t b) {
  return b < 0x80 || (K == Kind::AsciiAndKana && static_cast<uint8_t>(b - 0xA1) < 0x3F);
}
// `quoteApart` leaves the double quote out, for callers that write it twice.
template <Kind K>
constexpr bool isUnit(char16_t u, bool quoteApart) {
  return (u < 0x80 && !(quoteApart && u == u'"')) ||
         (K == Kind::AsciiAndKana && static_cast<char16_t>(u - 0xFF61) < 0x3F);
}
constexpr char16_t widen(uint8_t b) { return b < 0x80 ? b : static_cast<char16_t>(b + 0xFEC0); }
constexpr uint8_t narrow(char16_t u) { return static_cast<uint8_t>(u < 0x80 ? u : u - 0xFEC0); }

#if ZUMARO_SSE2
namespace detail {

// Up to 16 positions side by side: `bytes` their one-byte forms, one bit of
// `ok` for each position of the wanted kind.
struct Block {
  __m128i bytes;
  unsigned ok;
};

template <int W>
__m128i loadBytes(const uint8_t* p) {
  if constexpr (W == 16) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  if constexpr (W == 8) return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  int32_t four;
  std::memcpy(&four, p, 4);
  return _mm_cvtsi32_si128(four);
}

template <Kind K>
__m128i bytesOk(__m128i v) {
  __m128i ok = _mm_cmpgt_epi8(v, _mm_set1_epi8(-1));
  // b - 0x21 lands in 0x80..0xBE, the lowest signed bytes, just for 0xA1..0xDF.
  if constexpr (K == Kind::AsciiAndKana)
    ok = _mm_or_si128(ok, _mm_cmplt_epi8(_mm_sub_epi8(v, _mm_set1_epi8(0x21)), _mm_set1_epi8(-65)));
  return ok;
}

// Eight units: all ones where of the kind, and their narrowed values.
template <Kind K>
void unitsOk(__m128i u, bool quoteApart, __m128i& ok, __m128i& narrowed) {
  ok = _mm_cmpeq_epi16(_mm_and_si128(u, _mm_set1_epi16(static_cast<int16_t>(0xFF80))), _mm_setzero_si128());
  if (quoteApart) ok = _mm_andnot_si128(_mm_cmpeq_epi16(u, _mm_set1_epi16(u'"')), ok);
  __m128i kana = _mm_setzero_si128();
  // u - 0x7F61 lands in 0x8000..0x803E, the lowest signed values, just for U+FF61..U+FF9F.
  if constexpr (K == Kind::AsciiAndKana)
    kana = _mm_cmplt_epi16(_mm_sub_epi16(u, _mm_set1_epi16(0x7F61)), _mm_set1_epi16(static_cast<int16_t>(0x803F)));
  ok = _mm_or_si128(ok, kana);
  narrowed = _mm_and_si128(_mm_add_epi16(u, _mm_and_si128(kana, _mm_set1_epi16(0x40))), _mm_set1_epi16(0xFF));
}

template <int W>
constexpr unsigned allOf() {
  return (1u << W) - 1;
}

// W bytes from `p`.
template <Kind K>
struct ByteSource {
  const uint8_t* p;
  template <int W>
  Block block(size_t at) const {
    const __m128i v = loadBytes<W>(p + at);
    return {v, static_cast<unsigned>(_mm_movemask_epi8(bytesOk<K>(v))) & allOf<W>()};
  }
  // The first W and the last W of `size` bytes side by side, 2W positions.
  template <int W>
  Block pair(size_t size) const {
    const __m128i first = loadBytes<W>(p), last = loadBytes<W>(p + size - W);
    const __m128i v = W == 8 ? _mm_unpacklo_epi64(first, last) : _mm_unpacklo_epi32(first, last);
    return {v, static_cast<unsigned>(_mm_movemask_epi8(bytesOk<K>(v))) & allOf<2 * W>()};
  }
};

// W UTF-16 units from `p`, narrowed to bytes.
template <Kind K>
struct UnitSource {
  const char16_t* p;
  bool quoteApart;
  template <int W>
  Block block(size_t at) const {
    const auto* from = reinterpret_cast<const __m128i*>(p + at);
    __m128i ok0, ok1 = _mm_setzero_si128(), low0, low1 = _mm_setzero_si128();
    unitsOk<K>(W == 4 ? _mm_loadl_epi64(from) : _mm_loadu_si128(from), quoteApart, ok0, low0);
    if constexpr (W == 16) unitsOk<K>(_mm_loadu_si128(from + 1), quoteApart, ok1, low1);
    const auto ok = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ok0, ok1)));
    return {_mm_packus_epi16(low0, low1), ok & allOf<W>()};
  }
  template <int W>
  Block pair(size_t size) const {
    const auto* first = reinterpret_cast<const __m128i*>(p);
    const auto* last = reinterpret_cast<const __m128i*>(p + size - W);
    __m128i ok0, ok1 = _mm_setzero_si128(), low0, low1 = _mm_setzero_si128();
    if constexpr (W == 8) {
      unitsOk<K>(_mm_loadu_si128(first), quoteApart, ok0, low0);
      unitsOk<K>(_mm_loadu_si128(last), quoteApart, ok1, low1);
    } else {
      unitsOk<K>(_mm_unpacklo_epi64(_mm_loadl_epi64(first), _mm_loadl_epi64(last)), quoteApart, ok0, low0);
    }
    const auto ok = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(ok0, ok1)));
    return {_mm_packus_epi16(low0, low1), ok & allOf<2 * W>()};
  }
};

struct NoSink {
  template <int W>
  void put(__m128i, size_t) const {}
  template <int W>
  void putPair(__m128i, size_t) const {}
};

struct WideSink {
  char16_t* to;
  template <int W>
  void put(__m128i v, size_t at) const {
    const __m128i high = _mm_cmplt_epi8(v, _mm_setzero_si128());
    const __m128i low = _mm_add_epi8(v, _mm_and_si128(high, _mm_set1_epi8(static_cast<char>(0xC0))));
    auto* out = reinterpret_cast<__m128i*>(to + at);
    if constexpr (W == 4) _mm_storel_epi64(out, _mm_unpacklo_epi8(low, high));
    if constexpr (W >= 8) _mm_storeu_si128(out, _mm_unpacklo_epi8(low, high));
    if constexpr (W == 16) _mm_storeu_si128(out + 1, _mm_unpackhi_epi8(low, high));
  }
  // What a pair block holds: the first W at the start, the last W at the end.
  template <int W>
  void putPair(__m128i v, size_t size) const {
    const __m128i high = _mm_cmplt_epi8(v, _mm_setzero_si128());
    const __m128i low = _mm_add_epi8(v, _mm_and_si128(high, _mm_set1_epi8(static_cast<char>(0xC0))));
    const __m128i head = _mm_unpacklo_epi8(low, high);
    if constexpr (W == 8) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to), head);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + size - 8), _mm_unpackhi_epi8(low, high));
    } else {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to), head);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to + size - 4), _mm_unpackhi_epi64(head, head));
    }
  }
};

struct ByteSink {
  char* to;
  template <int W>
  void put(__m128i v, size_t at) const {
    if constexpr (W == 16) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at), v);
    if constexpr (W == 8) _mm_storel_epi64(reinterpret_cast<__m128i*>(to + at), v);
    if constexpr (W == 4) {
      const int32_t four = _mm_cvtsi128_si32(v);
      std::memcpy(to + at, &four, 4);
    }
  }
  template <int W>
  void putPair(__m128i v, size_t size) const {
    if constexpr (W == 8) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to), v);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to + size - 8), _mm_unpackhi_epi64(v, v));
    } else {
      const int32_t first = _mm_cvtsi128_si32(v), last = _mm_cvtsi128_si32(_mm_srli_si128(v, 4));
      std::memcpy(to, &first, 4);
      std::memcpy(to + size - 4, &last, 4);
    }
  }
};

// The run's length in blocks of W, given size >= W.
template <int W, class Source, class Sink>
[[gnu::always_inline]] inline size_t runOf(size_t size, const Source& source, const Sink& sink) {
  size_t i = 0;
  for (; i + W <= size; i += W) {
    const Block b = source.template block<W>(i);
    sink.template put<W>(b.bytes, i);
    if (b.ok != allOf<W>()) return i + static_cast<size_t>(std::countr_zero(~b.ok));
  }
  if (i == size) return i;
  const size_t start = size - W;
  const Block b = source.template block<W>(start);
  sink.template put<W>(b.bytes, start);
  // Positions before i were seen already; beyond the end count as a stop.
  return i + static_cast<size_t>(std::countr_zero(~(b.ok >> (i - start))));
}

// The run's length in one pair block, given W <= size <= 2W: the first W
// positions, then the last W, which overlap them below 2W.
template <int W, class Source, class Sink>
[[gnu::always_inline]] inline size_t pairRunOf(size_t size, const Source& source, const Sink& sink) {
  const Block b = source.template pair<W>(size);
  sink.template putPair<W>(b.bytes, size);
  if (b.ok == allOf<2 * W>()) return size;
  const unsigned head = b.ok & allOf<W>();
  // A stop in the last W lies beyond the first W, which were all of the kind.
  if (head != allOf<W>()) return static_cast<size_t>(std::countr_zero(~head));
  return size - W + static_cast<size_t>(std::countr_zero(~(b.ok >> W)));
}

template <class Source, class Sink>
[[gnu::always_inline]] inline size_t runOf(size_t size, const Source& source, const Sink& sink) {
  if (size >= 16) return runOf<16>(size, source, sink);
  // Fields are mostly shorter: one block, whatever their length.
  if (size >= 8) return pairRunOf<8>(size, source, sink);
  if (size >= 4) return pairRunOf<4>(size, source, sink);
  return 0;  // the callers' own loops take the last few
}

}  // namespace detail
#endif

// How many of the `size` bytes at `p` are of kind K, from the first on.
template <Kind K>
[[gnu::always_inline]] inline size_t byteRun(const uint8_t* p, size_t size) {
  size_t n = 0;
#if ZUMARO_SSE2
  n = detail::runOf(size, detail::ByteSource<K>{p}, detail::NoSink{});
  if (size >= 4) return n;
#endif
  while (n < size && isByte<K>(p[n])) ++n;
  return n;
}

// byteRun, writing the run's characters to `to` (room for `size` of them).
template <Kind K>
[[gnu::always_inline]] inline size_t widenRun(const uint8_t* p, size_t size, char16_t* to) {
  size_t n = 0;
#if ZUMARO_SSE2
  n = detail::runOf(size, detail::ByteSource<K>{p}, detail::WideSink{to});
  if (size >= 4) return n;
#endif
  for (; n < size && isByte<K>(p[n]); ++n) to[n] = widen(p[n]);
  return n;
}

// How many of the `size` units at `p` are of kind K, from the first on,
// writing their bytes to `to` (room for `size` of them).
template <Kind K>
[[gnu::always_inline]] inline size_t narrowRun(const char16_t* p, size_t size, bool quoteApart, char* to) {
  size_t n = 0;
#if ZUMARO_SSE2
  n = detail::runOf(size, detail::UnitSource<K>{p, quoteApart}, detail::ByteSink{to});
  if (size >= 4) return n;
#endif
  for (; n < size && isUnit<K>(p[n], quoteApart); ++n) to[n] = static_cast<char>(narrow(p[n]));
  return n;
}

namespace words {

constexpr uint64_t kOnes = 0x0101010101010101;
constexpr uint64_t kHighs = 0x8080808080808080;

// Whether none of the eight bytes is above 0x7F or a double quote.
inline bool quoteFreeAscii(uint64_t v) {
  const uint64_t quotes = v ^ (kOnes * '"');
  const uint64_t quoteFound = (quotes - kOnes) & ~quotes & kHighs;
  return ((v | quoteFound) & kHighs) == 0;
}

inline uint64_t load8(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

}  // namespace words

// Copies at most 16 bytes of ASCII without a double quote to `to`; false,
// with `to` partly written, at anything else. Most fields a list keeps
// unchanged are such (numbers, dates, codes): no loop, no library call. The
// first and the last eight bytes (or four, or the first, middle and last
// byte) overlap where the field is shorter.
inline bool copyShortQuoteFreeAscii(const char* p, size_t n, char* to) {
  if (n >= 8) {
    const uint64_t first = words::load8(p);
    const uint64_t last = words::load8(p + n - 8);
#if ZUMARO_SSE2
    const __m128i both = _mm_set_epi64x(static_cast<int64_t>(last), static_cast<int64_t>(first));
    const __m128i quotes = _mm_cmpeq_epi8(both, _mm_set1_epi8('"'));
    if (_mm_movemask_epi8(_mm_or_si128(both, quotes)) != 0) return false;
#else
    if (!words::quoteFreeAscii(first) || !words::quoteFreeAscii(last)) return false;
#endif
    std::memcpy(to, &first, 8);
    std::memcpy(to + n - 8, &last, 8);
    return true;
  }
  if (n >= 4) {
    uint32_t first, last;
    std::memcpy(&first, p, 4);
    std::memcpy(&last, p + n - 4, 4);
    if (!words::quoteFreeAscii(first | static_cast<uint64_t>(last) << 32)) return false;
    std::memcpy(to, &first, 4);
    std::memcpy(to + n - 4, &last, 4);
    return true;
  }
  if (n == 0) return true;
  const auto head = static_cast<uint8_t>(p[0]), middle = static_cast<uint8_t>(p[n / 2]),
             tail = static_cast<uint8_t>(p[n - 1]);
  if (!words::quoteFreeAscii(head | middle << 8 | tail << 16)) return false;
  to[0] = static_cast<char>(head);
  to[n / 2] = static_cast<char>(middle);
  to[n - 1] = static_cast<char>(tail);
  return true;
}

namespace detail {

// Longer fields eight bytes at a time; kept apart, so that the short
// fields' path saves no registers for it.
[[gnu::noinline]] inline bool copyLongQuoteFreeAscii(const char* p, size_t n, char* to) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const uint64_t v = words::load8(p + i);
    if (!words::quoteFreeAscii(v)) return false;
    std::memcpy(to + i, &v, 8);
  }
  if (i == n) return true;
  const uint64_t last = words::load8(p + n - 8);  // overlaps bytes already seen
  if (!words::quoteFreeAscii(last)) return false;
  std::memcpy(to + n - 8, &last, 8);
  return true;
}

}  // namespace detail

// The same for any length.
inline bool copyQuoteFreeAscii(const char* p, size_t n, char* to) {
  return n <= 16 ? copyShortQuoteFreeAscii(p, n, to) : detail::copyLongQuoteFreeAscii(p, n, to);
}

}  // namespace zumaro::one_byte
