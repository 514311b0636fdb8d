#pragma once
// The bytes a writer gathers before they go to the file. A record is put
// together through a pointer into room made for it beforehand: no capacity
// check at every piece, and the room is not cleared before it is written.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zumaro {

class OutputBuffer {
 public:
  size_t size() const { return used_; }
  const char* data() const { return bytes_.data(); }

  // Room for at least `n` more bytes after the used ones; valid until the
  // next call that makes room. `commit` takes what was written into it.
  char* room(size_t n) {
    if (bytes_.size() - used_ < n) grow(n);
    return bytes_.data() + used_;
  }
  void commit(const char* end) { used_ = static_cast<size_t>(end - bytes_.data()); }
  // Room for `n` bytes from `at`, a place in the room made before: the same
  // place, where the bytes before it now are.
  char* roomAt(char* at, size_t n) {
    const auto offset = static_cast<size_t>(at - bytes_.data());
    if (bytes_.size() - offset < n) grow(offset + n - used_);
    return bytes_.data() + offset;
  }

  void append(std::string_view piece) {
    char* to = room(piece.size());
    std::memcpy(to, piece.data(), piece.size());
    used_ += piece.size();
  }
  void push(char c) {
    *room(1) = c;
    ++used_;
  }
  // Drops the bytes from `n` on.
  void cutTo(size_t n) { used_ = std::min(used_, n); }
  void clear() { used_ = 0; }

 private:
  // Rare, and kept apart, so that the callers' common path calls nothing.
  [[gnu::noinline]] void grow(size_t n) { bytes_.resize(std::max(2 * bytes_.size(), used_ + n)); }

  std::string bytes_;  // its size is the room made so far
  size_t used_ = 0;
};

}  // namespace zumaro
