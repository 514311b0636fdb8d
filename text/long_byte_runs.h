#pragma once
// byteRun for the long runs of bytes as read, checked before anything is
// decoded: a list of one-byte characters is one run of a whole read block,
// so after a first block of 16 the run goes on 64 bytes to a single test.
#include <cstddef>
#include <cstdint>

#include "text/one_byte_runs.h"
#include "text/simd.h"

namespace zumaro::one_byte {

template <Kind K>
[[gnu::always_inline]] inline size_t longByteRun(const uint8_t* p, size_t size) {
  size_t n = 0;
#if ZUMARO_SSE2
  const auto ok = [p](size_t at) {
    return detail::bytesOk<K>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)));
  };
  // Short runs, between double-byte characters, stop in the first block.
  if (size >= 16 && _mm_movemask_epi8(ok(0)) == 0xFFFF) {
    n = 16;
    while (size - n >= 64) {
      const __m128i all = _mm_and_si128(_mm_and_si128(ok(n), ok(n + 16)), _mm_and_si128(ok(n + 32), ok(n + 48)));
      if (_mm_movemask_epi8(all) != 0xFFFF) break;
      n += 64;
    }
  }
#endif
  return n + byteRun<K>(p + n, size - n);
}

}  // namespace zumaro::one_byte
