#pragma once
// Values found by a 64-bit hash key, all of one key side by side, under a
// slot found by open addressing: a probe or two where a map of vectors
// would chase a pointer or two and allocate for each key. Filled once, then
// only read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace zumaro {

template <class Value>
class HashRanges {
 public:
  void add(uint64_t key, const Value& value) { pairs_.emplace_back(key, value); }

  // Sorts what was added, each (key, value) kept once; `add` is done with.
  void finish() {
    std::sort(pairs_.begin(), pairs_.end());
    pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
    size_t keys = 0;
    for (size_t i = 0; i < pairs_.size(); ++i) keys += i == 0 || pairs_[i].first != pairs_[i - 1].first;
    // At most half full: a probe seldom reads a second slot.
    size_t size = 16;
    while (size < 2 * keys) size *= 2;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
    values_.clear();
    values_.reserve(pairs_.size());
    for (size_t i = 0; i < pairs_.size();) {
      const uint64_t key = pairs_[i].first;
      const auto first = static_cast<uint32_t>(values_.size());
      for (; i < pairs_.size() && pairs_[i].first == key; ++i) values_.push_back(pairs_[i].second);
      size_t slot = key & mask_;
      while (slots_[slot].count != 0) slot = (slot + 1) & mask_;
      slots_[slot] = {key, first, static_cast<uint32_t>(values_.size()) - first};
    }
    std::vector<std::pair<uint64_t, Value>>().swap(pairs_);
  }

  // The slot lies somewhere in a table larger than the cache: asked for
  // ahead of several finds, their reads overlap.
  void prefetch(uint64_t key) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[key & mask_]);
  }

  std::span<const Value> find(uint64_t key) const {
    if (slots_.empty()) return {};
    for (size_t slot = key & mask_; slots_[slot].count != 0; slot = (slot + 1) & mask_) {
      const Slot& s = slots_[slot];
      if (s.key == key) return {values_.data() + s.first, s.count};
    }
    return {};
  }

 private:
  struct Slot {
    uint64_t key = 0;
    uint32_t first = 0;
    uint32_t count = 0;  // 0: an empty slot
  };

  std::vector<std::pair<uint64_t, Value>> pairs_;
  std::vector<Slot> slots_;
  size_t mask_ = 0;
  std::vector<Value> values_;
};

}  // namespace zumaro
