#pragma once
// Where each postal code's entries lie in a data file whose keys are all
// seven digits in one ascending run, as postal files are: a hash table from
// the code to its first entry and how many share it. An unsorted list's
// search would otherwise read a chain of index, samples and key heads, each
// waiting on memory; this is one read, and the entries after the last equal
// key need not be compared.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zumaro {

class PostalKeyTable {
 public:
  // The entries of one code: [first, first + count). count 0: no entry.
  struct Run {
    size_t first = 0;
    size_t count = 0;
  };

  // Indexes ascending keys given as their numbers (sevenDigitNumber);
  // leaves the table empty when any key is not seven digits (-1) or the
  // file is too large for a slot.
  void build(const std::vector<int32_t>& numbers);
  void clear();
  bool empty() const { return slots_.empty(); }

  // `number`: a seven-digit key as a number.
  Run find(int32_t number) const {
    if (slots_.empty() || number < 0) return {};
    const uint64_t wanted = static_cast<uint64_t>(number) + 1;
    for (size_t i = home(number);; i = (i + 1) & mask_) {
      const uint64_t slot = slots_[i];
      const uint64_t key = slot >> kKeyShift;
      if (key == wanted)
        return {static_cast<size_t>(slot & kFieldMask), static_cast<size_t>((slot >> kCountShift) & kCountMask)};
      if (key == 0) return {};
    }
  }
  // Asks for the memory find() will read first for `number`.
  void prefetch(int32_t number) const {
    if (!slots_.empty() && number >= 0) __builtin_prefetch(&slots_[home(number)]);
  }

 private:
  // A slot: the code plus one (0 for an empty slot), how many entries share
  // it, and the first of them.
  static constexpr int kKeyShift = 40;
  static constexpr int kCountShift = 24;
  static constexpr uint64_t kFieldMask = (uint64_t{1} << 24) - 1;
  static constexpr uint64_t kCountMask = (uint64_t{1} << 16) - 1;
  // A slot: key + 1 (0: empty) from bit 40, the run's count in bits 24..39,
  // its first entry in bits 0..23; seven digits fit in the 24 bits above.
  static_assert(kCountShift == 24 && kFieldMask == (uint64_t{1} << kCountShift) - 1);
  static_assert(kKeyShift == kCountShift + 16 && kCountMask == (uint64_t{1} << (kKeyShift - kCountShift)) - 1);
  static_assert(uint64_t{9999999} + 1 < (uint64_t{1} << (64 - kKeyShift)));

  size_t home(int32_t number) const {
    // Fibonacci hashing spreads the dense runs of neighbouring codes.
    return (static_cast<uint32_t>(number) * 2654435761u) >> shift_;
  }
  void insert(int32_t number, size_t first, size_t count);

  std::vector<uint64_t> slots_;  // a power of two, at most half of them used
  size_t mask_ = 0;
  int shift_ = 32;
};

}  // namespace zumaro
