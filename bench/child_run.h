#pragma once
// Runs a program to its end and measures it: wall time, processor time and
// peak resident memory of the child alone (wait4), so no /usr/bin/time is needed.
#include <string>
#include <vector>

namespace zumaro::bench {

struct ChildRun {
  int exitStatus = -1;  // -1 when it did not exit normally
  double wallSeconds = 0;
  double cpuSeconds = 0;  // user + system
  long peakRssKiB = 0;
};

// argv[0] is the program's path; standard output and error are discarded.
ChildRun runChild(const std::vector<std::string>& argv);

}  // namespace zumaro::bench
