#include "lookup/fast_lookup.h"

#include <algorithm>
#include <cstdint>

#include "address/entry_choice.h"
#include "lookup/range_table.h"

namespace zumaro {
namespace {

// What datno holds before the first entry of a file is read.
constexpr char16_t kBeforeFirstKey = u'0';

}  // namespace

FastLookup::FastLookup(const std::string& folder) {
  for (int k = 1; k <= kDataFileCount; ++k)
    files_[static_cast<size_t>(k)] = std::make_unique<LoadedDataFile>(dataFilePath(folder, k));
}

void FastLookup::open() {
  for (int k = 1; k <= kDataFileCount; ++k) {
    files_[static_cast<size_t>(k)]->open();
    next_[static_cast<size_t>(k)] = 0;
  }
  // What was found ahead belongs to the entries as they were loaded before.
  ahead_.fill(KeyAhead());
  nextAhead_ = 0;
}

void FastLookup::close() {
  for (int k = 1; k <= kDataFileCount; ++k) files_[static_cast<size_t>(k)]->close();
}

// The search's memory comes in three steps, each needing the one before:
// the key heads around the key, the entry's field offsets, its text. The
// record furthest ahead gets the first, the next one the second and so on.
void FastLookup::prefetch(TextView key, int distance) {
  KeyAhead* a = keyAhead(key);
  if (a == nullptr || a->file == 0) return;
  files_[static_cast<size_t>(a->file)]->prefetch(
      a->probe, static_cast<LoadedDataFile::PrefetchStep>(kPrefetchDistance - distance), a->place);
}

// The key's entry among those ahead, made when it is new; null for a key
// longer than seven characters, which no postal file holds.
FastLookup::KeyAhead* FastLookup::keyAhead(TextView key) {
  if (key.size() != ahead_[0].key.size()) return nullptr;
  for (KeyAhead& a : ahead_)
    if (a.file != 0 && TextView(a.key.data(), a.key.size()) == key) return &a;
  KeyAhead& a = ahead_[nextAhead_++ % ahead_.size()];
  std::copy(key.begin(), key.end(), a.key.begin());
  const TextView own(a.key.data(), a.key.size());
  a.file = dataFileFor(own);
  a.probe = LoadedDataFile::Probe(own);
  a.place = {};
  return &a;
}

void FastLookup::serch(ConversionState& s, int k) {
  LoadedDataFile& file = *files_[static_cast<size_t>(k)];
  size_t& next = next_[static_cast<size_t>(k)];
  Text& lastno = s.lastno[static_cast<size_t>(k)];
  if (!textGreater(s.keyno, lastno)) {
    s.datno.clear();
    s.datno.push_back(kBeforeFirstKey);
    next = 0;
  }
  // dbrearch has set datno to "0"; a key already read past reads nothing.
  if (textGreater(s.datno, s.keyno)) return;

  // The scan reads on while the key read last is not greater than keyno.
  // Within an ascending stretch that means: up to and including the first
  // greater key; a stretch whose keys are all not greater is read whole and
  // the scan goes on into the next one.
  const LoadedDataFile::Probe key(s.keyno);
  // Only the classic comparison reads the entry from dat; the tolerant one
  // takes it where the file holds it, and dat is left as it stood.
  const bool classic = s.matchMode == MatchMode::Classic;
  bool readAny = false;
  size_t last = 0;         // the entry read last
  size_t held = SIZE_MAX;  // the entry s.dat holds
  while (!file.atEnd(next)) {
    const size_t end = file.ascendingEnd(next);
    const size_t firstEqual = file.firstNotLess(next, end, key);
    // Entries of one key are few and are all visited anyway.
    const size_t firstGreater = file.pastEqual(firstEqual, end, key);
    for (size_t i = firstEqual; i < firstGreater; ++i) {
      if (!classic) {
        visitEntry(s, file.entryView(i), true);
        continue;
      }
      file.copyEntry(i, s.datno, s.dat);
      held = i;
      visitEntry(s, viewOf(s.dat));
    }
    readAny = true;
    if (firstGreater < end) {
      last = firstGreater;
      next = firstGreater + 1;
      break;
    }
    last = end - 1;
    next = end;
  }
  if (!readAny) return;
  // The entry that ended the search stays in datno (and dat), as after a scan.
  if (!classic) {
    s.datno.assign(file.key(last));
  } else if (held != last) {
    file.copyEntry(last, s.datno, s.dat);
  }
  lastno = s.datno;
}

}  // namespace zumaro
