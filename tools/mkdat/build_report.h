#pragma once
// What zumaro-mkdat prints: the summary of a finished build and the progress
// line on a terminal.
#include <chrono>
#include <cstdio>
#include <string>

#include "tools/mkdat/postal_data_build.h"

namespace zumaro::mkdat {

void printSummary(std::FILE* out, const std::string& folder, const BuildSummary& summary);

class BuildProgressLine {
 public:
  explicit BuildProgressLine(std::FILE* out) : out_(out) {}
  // Redrawn at most ten times a second.
  void update(const BuildProgress& progress);
  // Removes the line so that the next message starts on a clean line.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* out_;
  Clock::time_point lastDraw_;
  bool drawn_ = false;
};

}  // namespace zumaro::mkdat
