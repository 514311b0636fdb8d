#pragma once
// One postal data file decoded once into memory, entry by entry as the scan
// would read it. A fault in the file is kept with the entry it struck and
// raised only when a search reaches that entry, as the scan raises it.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lookup/data_file.h"
#include "lookup/postal_key_table.h"
#include "lookup/postal_prefix_index.h"
#include "lookup/written_entries.h"
#include "state/record_match.h"

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
  // The entries before any fault of the file, loading them when needed.
  size_t entryCount() {
    if (!loaded_) load();
    return entries_.count;
  }
  // Field f of entry i: 0 the key, 1..10 columns 1..10.
  TextView entryField(size_t i, size_t f) const { return field(i, f); }

  // A key made ready for comparing with many entries: its first eight
  // characters as one number (see keyHeads_), and whether they all fit.
  struct Probe {
    explicit Probe(TextView key = TextView());
    TextView key;
    uint64_t head = 0;
    bool narrow = true;  // no character from U+00FF up among the first eight
    // Narrow, at most eight characters and no U+0000: against a file whose
    // keys are all short (see shortKeys_), equal heads are equal keys.
    bool fitsHead = false;
    int32_t number = -1;  // a key of seven digits as a number, else -1
  };

  // The character-code order of entry i's key against the probe's: <0, 0,
  // >0. Mostly decided by the heads alone, so a binary search touches
  // little memory.
  int compareKey(size_t i, const Probe& probe) const {
    if (probe.narrow) {
      const uint64_t mine = keyHeads_[i];
      if (mine != probe.head) return mine < probe.head ? -1 : 1;
      if (probe.fitsHead && shortKeys_) return 0;
      // Equal heads of keys of at most eight characters: the shorter is a
      // prefix of the longer, and the entry's text need not be read.
      const size_t length = keyLengths_[i];
      if (length <= 8 && probe.key.size() <= 8) return length < probe.key.size() ? -1 : length > probe.key.size();
    }
    return key(i).compare(probe.key);
  }

  // Within an ascending stretch: the first entry of [from, to) whose key is
  // not less than the probe's, and the first from `i` on whose key is not
  // equal to it. The sampled heads narrow the range before keyHeads_ is
  // read, so that a search touches few cache lines.
  size_t firstNotLess(size_t from, size_t to, const Probe& probe) const;
  // [from, to) narrowed, by the key's first four digits where the file is
  // indexed so and then to the block between two samples, to the part that
  // holds the first entry not less than the probe's key.
  void narrowBySamples(size_t& from, size_t& to, const Probe& probe) const;
  // firstNotLess within a block already narrowed.
  size_t firstInBlock(size_t from, size_t to, const Probe& probe) const;
  size_t pastEqual(size_t i, size_t to, const Probe& probe) const {
    while (i < to && compareKey(i, probe) == 0) ++i;
    return i;
  }

  // Asks for the memory a search for a seven-digit key (`number` its
  // sevenDigitNumber) will read, one step of it (each step reads what the
  // one before asked for): the key's slot of the key table, the entries'
  // field offsets, their text. For a key the file lacks: the prefix slot,
  // the samples it leaves, the key heads they leave. Only for a file of
  // seven-digit keys in one ascending stretch, as postal files are, and
  // only once it is loaded.
  enum class PrefetchStep { TableSlot, FieldOffsets, Text };
  static constexpr int kPrefetchSteps = 3;
  // What the steps found for one key: each starts where the one before
  // stopped.
  struct PrefetchPlace {
    bool sought = false;      // the key table has been asked
    size_t entry = SIZE_MAX;  // the key's first entry, where the file has it
    size_t count = 0;         // and how many share the key
    // Where it lacks the key: the block that holds the first greater key,
    // found by the last step (blockTo 0 until then).
    size_t blockFrom = 0, blockTo = 0;
  };
  void prefetch(TextView key, int32_t number, PrefetchStep step, PrefetchPlace& place) const;

  // One past the last entry of the ascending (non-decreasing) stretch of
  // keys that holds entry `i`.
  size_t ascendingEnd(size_t i) const { return *std::upper_bound(stretchEnds_.begin(), stretchEnds_.end(), i); }
  // Entry `i` where it is held, valid until close(); [0] stays empty: the
  // key is apart, as in entryColumn.
  EntryView entryView(size_t i) const {
    EntryView view;
    for (size_t f = 1; f < static_cast<size_t>(kEntryFields); ++f) view[f] = field(i, f);
    return view;
  }
  // Copies entry `i` into `entryKey` and entryColumn[1]..entryColumn[10], reusing their storage.
  void copyEntry(size_t i, Text& entryKey, std::array<Text, 11>& entryColumn) const;

 private:
  void prefetchSamples(int32_t number) const;
  void findBlock(const Probe& probe, PrefetchPlace& place) const;
  void load();
  bool loadWritten();
  void loadGeneral();
  void append(const std::vector<std::string>& entry);
  void indexKeys();
  TextView field(size_t entry, size_t f) const {
    const size_t at = entry * kEntryFields + f;
    const std::vector<uint32_t>& start = entries_.fieldStart;
    return TextView(entries_.chars.data() + start[at], start[at + 1] - start[at]);
  }

  DataFile file_;
  bool loaded_ = false;
  EntryTexts entries_;  // entries_.count: those before any fault of the file
  // One past the last entry of every ascending stretch, in file order. A
  // postal file is one stretch or a few, so this stays in the cache where a
  // value per entry would be a memory read per search.
  std::vector<uint32_t> stretchEnds_;
  // The first eight characters of every key, one byte each, the first
  // highest, a shorter key padded with zeros; characters from U+00FF up all
  // give 0xFF. Against a narrow probe, unequal heads order the keys as
  // their texts: the first differing byte stands where the texts first
  // differ, since the probe's earlier characters are all exact.
  std::vector<uint64_t> keyHeads_;
  std::vector<uint8_t> keyLengths_;  // up to 255: more than eight is all that matters
  bool shortKeys_ = false;           // no key longer than eight characters or holding U+0000
  // The heads of every kSampleStep-th entry: a few kilobytes for a postal
  // file, searched first in the cache, leaving a block of two cache lines.
  static constexpr size_t kSampleStep = 16;
  std::vector<uint64_t> sampleHeads_;
  PostalPrefixIndex prefixes_;  // for a file of seven-digit keys in one ascending stretch
  PostalKeyTable keyTable_;     // the same
  // Whether the heads alone order every key against the probe's (equal
  // heads then mean equal keys), as for the seven-digit postal codes.
  bool headsDecide(const Probe& probe) const { return probe.fitsHead && shortKeys_; }
  bool sampleLess(size_t j, const Probe& probe) const {
    const uint64_t head = sampleHeads_[j];
    if (probe.narrow && head != probe.head) return head < probe.head;
    return compareKey(j * kSampleStep, probe) < 0;
  }
  std::optional<Text> fault_;  // the message of the fault met after the last entry
};

}  // namespace zumaro
