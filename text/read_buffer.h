#pragma once
// Bytes read ahead from a file. Room for the next read is made without
// filling it first: read(2) writes it at once, and zero-filling a block per
// block read costs as much as checking its bytes.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace zumaro {

class ReadBuffer {
 public:
  const char* data() const { return bytes_.get(); }
  size_t size() const { return size_; }
  std::string_view view() const { return std::string_view(bytes_.get(), size_); }

  // Room for `n` bytes after those held, for a read to fill; the bytes held
  // stay as they are.
  char* roomFor(size_t n) {
    if (capacity_ - size_ < n) grow(size_ + n);
    return bytes_.get() + size_;
  }
  // Keeps `n` bytes of the room a read filled.
  void keep(size_t n) { size_ += n; }

  // Drops the first `n` bytes; the rest move to the front.
  void dropFront(size_t n) {
    if (n == 0) return;
    size_ -= n;
    std::memmove(bytes_.get(), bytes_.get() + n, size_);
  }
  void clear() { size_ = 0; }

 private:
  void grow(size_t least) {
    const size_t capacity = std::max(least, capacity_ * 2);
    std::unique_ptr<char[]> bigger(new char[capacity]);  // not value-initialised: no zero-fill
    if (size_ != 0) std::memcpy(bigger.get(), bytes_.get(), size_);
    bytes_ = std::move(bigger);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace zumaro
