#pragma once
// Every address entry of a data folder found by its reading: the entries
// whose whole reading (prefecture, city and town area, or city and town area)
// an address text begins with, in the folded view the readings are compared
// in. Built once per run, only for a run that reports, from the files the
// lookup holds anyway (read here when it does not hold them).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lookup/data_search.h"
#include "state/folded_text.h"
#include "text/text.h"

namespace zumaro {

// What a suggestion shows of an entry: its key and written address.
struct IndexedEntry {
  Text postalCode;
  Text prefecture, city, town;  // written
  Text prefectureReading;       // folded
};

class ReadingIndex {
 public:
  // From data files 1..23 of `lookup`, or of `folder` for those it does not
  // hold. Entries after a fault in a file are left out.
  void build(DataLookup& lookup, const std::string& folder);
  void add(TextView key, const EntryView& entry);
  // Orders the readings; add() is not called after it.
  void finish();

  // The entries whose whole reading `text` begins with, among those
  // `accepted` lets through, from the longest reading; entries sharing that
  // reading in file order. Empty when none.
  std::vector<const IndexedEntry*> longestWholeReading(const FoldedText& text,
                                                       const std::function<bool(const IndexedEntry&)>& accepted) const;

 private:
  struct Reading {
    uint64_t hash = 0;   // of the folded reading, see hashOn in the source
    uint32_t start = 0;  // in chars_
    uint32_t length = 0;
    uint32_t entry = 0;
  };
  // The readings equal to one another: readings_[first, first + count).
  struct Group {
    uint64_t hash = 0;
    uint32_t first = 0;
    uint32_t count = 0;  // 0: an empty slot
  };
  TextView reading(const Reading& r) const { return TextView(chars_).substr(r.start, r.length); }
  void addReading(TextView folded, uint32_t entry);
  const Group* groupOf(TextView folded, uint64_t hash) const;

  Text pref_, cityTown_, part_, whole_;  // room for folding, kept from entry to entry
  std::vector<IndexedEntry> entries_;
  Text chars_;                     // every folded reading, one after the other
  std::vector<Reading> readings_;  // equal readings side by side, in file order
  // Open addressing by hash: a probe per length of a text touches one or two
  // cache lines, where a search through the sorted readings touches dozens.
  std::vector<Group> groups_;
  size_t mask_ = 0;
};

}  // namespace zumaro
