#pragma once
// The converter's progress line: records, percent of the input read and
// records per second.
#include <chrono>
#include <cstdio>

#include "run/conversion_run.h"
#include "terminal/terminal_line.h"

namespace zumaro::cli {

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* out) : line_(out), start_(std::chrono::steady_clock::now()) {}
  void update(const RunProgress& progress);
  // Removes the line so that the next message starts on a clean line.
  void clear() { line_.clear(); }

 private:
  TerminalLine line_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace zumaro::cli
