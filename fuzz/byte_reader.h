#pragma once
// Fuzz bytes taken from the front, a byte or a stretch at a time. Past the
// end every byte reads as 0, so that any input decodes to some case.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zumaro::fuzz {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  // One of `choices`, chosen by the next byte.
  template <class T>
  const T& pick(const std::vector<T>& choices) {
    return choices[byte() % choices.size()];
  }
  // Everything not taken yet.
  std::string_view rest() {
    std::string_view all(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
    at_ = size_;
    return all;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace zumaro::fuzz
