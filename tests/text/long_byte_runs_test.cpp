// The run of long blocks against the plain loop: every byte value at every
// place, in runs that reach past the first block and across later ones.
#include "text/long_byte_runs.h"

#include <gtest/gtest.h>

#include <string>

namespace zumaro::one_byte {
namespace {

template <Kind K>
void expectPlainRunEverywhere(size_t size) {
  for (size_t at = 0; at <= size; ++at)  // at `size`: no other byte
    for (int b = 0; b < 256; ++b) {
      std::string s(size + 1, '\xB1');
      for (size_t k = 0; k < size; k += 3) s[k] = 'a';
      s[at] = static_cast<char>(b);
      s.pop_back();
      const auto* p = reinterpret_cast<const uint8_t*>(s.data());
      size_t plain = 0;
      while (plain < size && isByte<K>(p[plain])) ++plain;
      ASSERT_EQ(longByteRun<K>(p, size), plain) << "size " << size << ", byte " << b << " at " << at;
    }
}

TEST(LongByteRuns, StopWhereThePlainLoopStops) {
  for (size_t size = 0; size <= 100; ++size) {
    expectPlainRunEverywhere<Kind::AsciiAndKana>(size);
    expectPlainRunEverywhere<Kind::Ascii>(size);
  }
  for (size_t size : {143, 144, 145, 207, 208, 209}) expectPlainRunEverywhere<Kind::AsciiAndKana>(size);
}

}  // namespace
}  // namespace zumaro::one_byte
