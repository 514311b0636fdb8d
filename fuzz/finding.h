#pragma once
// A fault a fuzz target found: an invariant that does not hold. The libFuzzer
// entry turns it into a crash, so that the input is kept; the corpus replay
// test into a failed test that names the file.
#include <stdexcept>
#include <string>

namespace zumaro::fuzz {

struct Finding : std::logic_error {
  using std::logic_error::logic_error;
};

// Throws a Finding saying `what` unless `holds`.
inline void require(bool holds, const char* what) {
  if (!holds) throw Finding(what);
}

}  // namespace zumaro::fuzz
