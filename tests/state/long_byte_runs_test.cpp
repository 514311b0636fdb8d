// The run of long blocks against the plain loop: every byte value at every
// place, in runs that reach past the first block and across later ones.
#include "state/long_byte_runs.h"

#include <gtest/gtest.h>

#include <string>

namespace zumaro::one_byte {
namespace {

template <Kind K>
size_t plainRun(const std::string& s) {
  size_t n = 0;
  while (n < s.size() && isByte<K>(static_cast<uint8_t>(s[n]))) ++n;
  return n;
}

template <Kind K>
void expectPlainRunEverywhere(size_t size) {
  for (size_t at = 0; at <= size; ++at)
    for (int b = 0; b < 256; ++b) {
      std::string s(size + 1, '\xB1');  // the byte past the run is never looked at
      for (size_t k = 0; k < size; k += 3) s[k] = 'a';
      s[at] = static_cast<char>(b);
      s.pop_back();
      const auto* p = reinterpret_cast<const uint8_t*>(s.data());
      ASSERT_EQ(longByteRun<K>(p, s.size()), plainRun<K>(s)) << "size " << size << ", byte " << b << " at " << at;
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
