#pragma once
// splitmix64: the same numbers on every platform and standard library, so a
// seed always gives the same benchmark files.
#include <cstdint>
#include <vector>

namespace zumaro::bench {

class Rng {
 public:
  explicit Rng(uint64_t seed) : x_(seed) {}
  uint64_t next() {
    uint64_t z = (x_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  uint64_t below(uint64_t n) { return next() % n; }
  int between(int lo, int hi) { return lo + static_cast<int>(below(static_cast<uint64_t>(hi - lo + 1))); }
  bool percent(int p) { return below(100) < static_cast<uint64_t>(p); }
  template <class T>
  const T& pick(const std::vector<T>& v) {
    return v[static_cast<size_t>(below(v.size()))];
  }

 private:
  uint64_t x_;
};

}  // namespace zumaro::bench
