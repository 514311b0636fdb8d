#pragma once
// The search of the data file that serves the record's key: every entry
// whose key equals the key is handed, in file order, to the visitor the
// caller gives (the address comparison, in a run).
#include <array>
#include <memory>
#include <string>

#include "lookup/data_file.h"
#include "lookup/loaded_data_file.h"
#include "state/conversion_state.h"

namespace zumaro {

// What a search hands each entry of the record's key to.
class EntryVisitor {
 public:
  virtual ~EntryVisitor() = default;
  // `lastsTheRun`: e's texts stay where they are until the run ends, not
  // only until the next entry is read. `readingsFolded`: readingsFold(e)
  // is known to be true.
  virtual void visit(ConversionState& s, const EntryView& e, bool lastsTheRun, bool readingsFolded) = 0;
  // Whether the readings the visitor reads of e are already in the form it
  // compares them in. A search that meets an entry again and again asks once
  // and keeps the answer.
  virtual bool readingsFold(const EntryView& e) const = 0;
};

// How the entries of the 23 data files are reached during one run.
class DataLookup {
 public:
  virtual ~DataLookup() = default;
  // Opens all 23 files, 1 to 23; throws RunFailure naming the first that
  // cannot be opened.
  virtual void open() = 0;
  virtual void close() = 0;
  // The search of data file k (1..23) for s.postalKey.
  virtual void search(ConversionState& s, int k, EntryVisitor& visitor) = 0;
  // Data file k (1..23) as held in memory, or null when the lookup does not
  // hold its files.
  virtual LoadedDataFile* heldFile(int) { return nullptr; }
  // A hint, given once for each record read: the key of the record
  // kPrefetchDistance records after it, or null when that is not known.
  // Memory the searches will need can be asked for ahead of them. Changes
  // nothing a search finds.
  static constexpr int kPrefetchDistance = LoadedDataFile::kPrefetchSteps;
  virtual void prefetchAhead(const TextView* /*key*/) {}
};

// The sequential scan: each file read forward from where the last search of
// it stopped, and read again from its start when the key is not greater than
// the last key read from it.
class ScanLookup : public DataLookup {
 public:
  explicit ScanLookup(const std::string& folder);
  void open() override;
  void close() override;
  void search(ConversionState& s, int k, EntryVisitor& visitor) override;

 private:
  std::array<std::unique_ptr<DataFile>, kDataFileCount + 1> files_;
};

// Chooses the data file by the range of s.postalKey and searches it.
void searchData(ConversionState& s, DataLookup& lookup, EntryVisitor& visitor);

}  // namespace zumaro
