// The libFuzzer entry of one target, named by ZUMARO_FUZZ_FUNCTION. A
// finding aborts, so that libFuzzer keeps the input that caused it.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    zumaro::fuzz::ZUMARO_FUZZ_FUNCTION(data, size);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "\n== zumaro fuzz finding: %s\n", e.what());
    std::abort();
  }
  return 0;
}
