#pragma once
// The data file search over files held in memory. It reads the same entries
// in the same order as the sequential scan, hands the same ones to the
// address comparison and leaves the same lookup state behind, but finds the
// end of each search by binary search wherever the keys stand in order.
#include <array>
#include <cstddef>
#include <string>

#include "lookup/data_search.h"
#include "lookup/loaded_data_file.h"

namespace zumaro {

class FastLookup : public DataLookup {
 public:
  explicit FastLookup(const std::string& folder);
  void open() override;
  void close() override;
  void serch(ConversionState& s, int k) override;
  LoadedDataFile* heldFile(int k) override { return files_[static_cast<size_t>(k)].get(); }
  void prefetch(TextView key, int distance) override;

 private:
  std::array<std::unique_ptr<LoadedDataFile>, kDataFileCount + 1> files_;
  // The simulated read position of each file: the entry the scan reads next.
  std::array<size_t, kDataFileCount + 1> next_{};

  // The keys of the records read ahead, with what the prefetch steps found
  // so far; each record's key comes once at each distance.
  struct KeyAhead {
    std::array<char16_t, 7> key{};
    int file = 0;
    LoadedDataFile::Probe probe;
    LoadedDataFile::PrefetchPlace place;
  };
  std::array<KeyAhead, kPrefetchDistance + 1> ahead_;
  size_t nextAhead_ = 0;
  KeyAhead* keyAhead(TextView key);
};

}  // namespace zumaro
