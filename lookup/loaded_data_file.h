#pragma once
// One postal data file decoded once into memory, entry by entry as the scan
// would read it. A fault in the file is kept with the entry it struck and
// raised only when a search reaches that entry, as the scan raises it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lookup/data_file.h"

namespace zumaro {

class LoadedDataFile {
 public:
  explicit LoadedDataFile(std::string path) : file_(std::move(path)) {}

  // Opens the file (throws RunFailure when it cannot); its entries are read
  // when first needed.
  void open();
  // Drops the entries and closes the file.
  void close();

  // The scan's end-of-data test before entry `i` (0-based): true past the
  // last entry; throws the file's read fault when entry `i` is where it struck.
  bool atEnd(size_t i);

  TextView key(size_t i) const { return field(i, 0); }
  // One past the last entry of the ascending (non-decreasing) stretch of
  // keys that holds entry `i`.
  size_t ascendingEnd(size_t i) const { return ascendingEnd_[i]; }
  // Copies entry `i` into `datno` and dat[1]..dat[10], reusing their storage.
  void copyEntry(size_t i, Text& datno, std::array<Text, 11>& dat) const;

 private:
  void load();
  void append(const Text& datno, const std::array<Text, 11>& dat);
  void findAscendingStretches();
  TextView field(size_t entry, size_t f) const;

  DataFile file_;
  bool loaded_ = false;
  Text chars_;                       // every field of every entry, one after the other
  std::vector<uint32_t> fieldStart_;  // kEntryFields per entry, then the end of the last
  std::vector<uint32_t> ascendingEnd_;
  size_t count_ = 0;
  std::optional<Text> fault_;  // the message of the fault met after the last entry
};

}  // namespace zumaro
