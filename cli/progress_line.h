#pragma once
// The progress line on a terminal: records, percent of the input read and
// records per second, redrawn at most ten times a second.
#include <chrono>
#include <cstdio>

#include "run/conversion_run.h"

namespace zumaro::cli {

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* out) : out_(out), start_(Clock::now()), lastDraw_(start_) {}
  void update(const RunProgress& progress);
  // Removes the line so that the next message starts on a clean line.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;
  void draw(const RunProgress& progress, Clock::time_point now);

  std::FILE* out_;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
  bool drawn_ = false;
};

}  // namespace zumaro::cli
