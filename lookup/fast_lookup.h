#pragma once
// The data file search over files held in memory. It reads the same entries
// in the same order as the sequential scan, hands the same ones to the
// address comparison and leaves the same lookup state behind (entryColumn only in
// the classic comparison, the one that reads it), but finds the end of each
// search by binary search wherever the keys stand in order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lookup/data_search.h"
#include "lookup/loaded_data_file.h"

namespace zumaro {

class FastLookup : public DataLookup {
 public:
  explicit FastLookup(const std::string& folder);
  void open() override;
  void close() override;
  void search(ConversionState& s, int k, EntryVisitor& visitor) override;
  LoadedDataFile* heldFile(int k) override { return files_[static_cast<size_t>(k)].get(); }
  void prefetchAhead(const TextView* key) override;

 private:
  std::array<std::unique_ptr<LoadedDataFile>, kDataFileCount + 1> files_;
  // The simulated read position of each file: the entry the scan reads next.
  std::array<size_t, kDataFileCount + 1> next_{};
  // Per file and entry, once the visitor has asked (a run has one kind of
  // visitor): 1 where the entry's readings fold, 2 where they do not, 0 not
  // asked yet. An unsorted list meets most entries many times.
  std::array<std::vector<uint8_t>, kDataFileCount + 1> readingsFolded_;
  bool readingsFolded(int k, size_t i, const EntryView& e, const EntryVisitor& visitor);

  // The keys of the records ahead, the furthest first, with what the
  // prefetch steps found so far; file 0 where the key is not known.
  struct KeyAhead {
    std::array<char16_t, 7> key{};
    int file = 0;
    int32_t number = -1;
    LoadedDataFile::PrefetchPlace place;
  };
  // One more than the steps: the record being searched keeps what its steps
  // found.
  std::array<KeyAhead, kPrefetchDistance + 1> ahead_;
  size_t furthest_ = 0;  // ahead_[furthest_] is the furthest; the nearer follow it round the ring
  void takeKeyAhead(KeyAhead& a, const TextView* key);
  const KeyAhead* foundAhead(int file, const Text& key) const;
};

}  // namespace zumaro
