#pragma once
// One line on a terminal that a long job redraws in place: at most ten
// redraws a second, and cleared before any other message is printed.
#include <chrono>
#include <cstdio>
#include <string>

namespace zumaro::cli {

class TerminalLine {
 public:
  explicit TerminalLine(std::FILE* out) : out_(out) {}
  // True for the first redraw and then once a tenth of a second has passed.
  bool due() const;
  void show(const std::string& text);
  void clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  Clock::time_point lastDraw_;
  bool drawn_ = false;
};

}  // namespace zumaro::cli
