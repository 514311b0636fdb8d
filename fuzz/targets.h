#pragma once
// The fuzz targets. Each takes any bytes and returns normally unless it finds
// a fault: it throws Finding for a broken invariant, and whatever else
// escapes it (an unexpected exception, a sanitizer report) is a fault too.
#include <cstddef>
#include <cstdint>

namespace zumaro::fuzz {

// The field reader on any bytes as a file, read with several field counts.
void fuzzFieldReader(const uint8_t* data, size_t size);
// The settings validation on any texts in the boxes.
void fuzzSettings(const uint8_t* data, size_t size);
// A whole run from a data folder and list made from the bytes, once with the
// fast lookup and once with the scan; the two must agree.
void fuzzRun(const uint8_t* data, size_t size);

struct NamedTarget {
  const char* name;  // the folder of its corpus and regressions
  void (*run)(const uint8_t*, size_t);
};

inline constexpr NamedTarget kTargets[] = {
    {"field_reader", fuzzFieldReader},
    {"settings", fuzzSettings},
    {"run", fuzzRun},
};

}  // namespace zumaro::fuzz
