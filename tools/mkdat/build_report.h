#pragma once
// What zumaro-mkdat prints: the summary of a finished build and the progress
// line on a terminal.
#include <cstdio>
#include <string>

#include "terminal/terminal_line.h"
#include "tools/mkdat/postal_data_build.h"

namespace zumaro::mkdat {

void printSummary(std::FILE* out, const std::string& folder, const BuildSummary& summary);

class BuildProgressLine {
 public:
  explicit BuildProgressLine(std::FILE* out) : line_(out) {}
  void update(const BuildProgress& progress);
  // Removes the line so that the next message starts on a clean line.
  void clear() { line_.clear(); }

 private:
  cli::TerminalLine line_;
};

}  // namespace zumaro::mkdat
