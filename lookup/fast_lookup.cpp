#include "lookup/fast_lookup.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <tuple>

#include "lookup/range_table.h"

namespace zumaro {
namespace {

// What entryKey holds before the first entry of a file is read.
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
    readingsFolded_[static_cast<size_t>(k)].clear();
  }
  // What was found ahead belongs to the entries as they were loaded before.
  ahead_.fill(KeyAhead());
  furthest_ = 0;
}

void FastLookup::close() {
  for (int k = 1; k <= kDataFileCount; ++k) {
    files_[static_cast<size_t>(k)]->close();
    std::vector<uint8_t>().swap(readingsFolded_[static_cast<size_t>(k)]);
  }
  ahead_.fill(KeyAhead());
}

// The search's memory comes in steps, each needing the one before (see
// LoadedDataFile::PrefetchStep). The record furthest ahead gets the first,
// the next one the second and so on.
void FastLookup::prefetchAhead(const TextView* key) {
  furthest_ = (furthest_ + ahead_.size() - 1) % ahead_.size();
  takeKeyAhead(ahead_[furthest_], key);
  for (size_t step = 0; step < static_cast<size_t>(kPrefetchDistance); ++step) {
    KeyAhead& a = ahead_[(furthest_ + step) % ahead_.size()];
    if (a.file != 0)
      files_[static_cast<size_t>(a.file)]->prefetch(TextView(a.key.data(), a.key.size()), a.number,
                                                    static_cast<LoadedDataFile::PrefetchStep>(step), a.place);
  }
  // The nearest record's entry is known by now: what the comparison asked of
  // it before is read beside its text.
  const KeyAhead& nearest = ahead_[(furthest_ + static_cast<size_t>(kPrefetchDistance) - 1) % ahead_.size()];
  if (nearest.file != 0 && nearest.place.entry != SIZE_MAX) {
    const std::vector<uint8_t>& known = readingsFolded_[static_cast<size_t>(nearest.file)];
    if (nearest.place.entry < known.size()) __builtin_prefetch(&known[nearest.place.entry]);
  }
}

// Only keys of seven digits are in the files' key tables.
void FastLookup::takeKeyAhead(KeyAhead& a, const TextView* key) {
  a.file = 0;
  if (key == nullptr || key->size() != a.key.size()) return;
  std::copy_n(key->data(), a.key.size(), a.key.begin());  // a known length: no library call
  a.number = sevenDigitNumber(TextView(a.key.data(), a.key.size()));
  a.file = dataFileForNumber(a.number);
  a.place = {};
}

// The place the prefetch steps found for this key in this file, if they got
// that far.
const FastLookup::KeyAhead* FastLookup::foundAhead(int file, const Text& key) const {
  if (key.size() != std::tuple_size_v<decltype(KeyAhead::key)>) return nullptr;
  for (const KeyAhead& a : ahead_)  // memcmp: a known length, no loop
    if (a.file == file && (a.place.entry != SIZE_MAX || a.place.blockTo != 0) &&
        std::memcmp(a.key.data(), key.data(), sizeof a.key) == 0)
      return &a;
  return nullptr;
}

bool FastLookup::readingsFolded(int k, size_t i, const EntryView& e, const EntryVisitor& visitor) {
  std::vector<uint8_t>& known = readingsFolded_[static_cast<size_t>(k)];
  if (known.empty()) known.assign(files_[static_cast<size_t>(k)]->entryCount(), 0);
  uint8_t& answer = known[i];
  if (answer == 0) answer = visitor.readingsFold(e) ? 1 : 2;
  return answer == 1;
}

void FastLookup::search(ConversionState& s, int k, EntryVisitor& visitor) {
  LoadedDataFile& file = *files_[static_cast<size_t>(k)];
  size_t& next = next_[static_cast<size_t>(k)];
  Text& lastKeyOfFile = s.lastKeyOfFile[static_cast<size_t>(k)];
  if (!textGreater(s.postalKey, lastKeyOfFile)) {
    s.entryKey.clear();
    s.entryKey.push_back(kBeforeFirstKey);
    next = 0;
  }
  // searchData has set entryKey to "0"; a key already read past reads nothing.
  if (textGreater(s.entryKey, s.postalKey)) return;

  // The scan reads on while the key read last is not greater than postalKey.
  // Within an ascending stretch that means: up to and including the first
  // greater key; a stretch whose keys are all not greater is read whole and
  // the scan goes on into the next one.
  // Where the prefetch found the key in the table of a postal file (one
  // ascending stretch), its entries are known and no key is compared.
  const KeyAhead* ahead = foundAhead(k, s.postalKey);
  std::optional<LoadedDataFile::Probe> probe;
  const auto key = [&]() -> const LoadedDataFile::Probe& {
    if (!probe) probe.emplace(s.postalKey);
    return *probe;
  };
  // Only the classic comparison reads the entry from entryColumn; the tolerant one
  // takes it where the file holds it, and entryColumn is left as it stood.
  const bool classic = s.matchMode == MatchMode::Classic;
  bool readAny = false;
  size_t last = 0;         // the entry read last
  size_t held = SIZE_MAX;  // the entry s.entryColumn holds
  while (!file.atEnd(next)) {
    const size_t end = file.ascendingEnd(next);
    size_t firstEqual, firstGreater;
    if (ahead != nullptr && ahead->place.entry != SIZE_MAX && next <= ahead->place.entry) {
      firstEqual = ahead->place.entry;
      firstGreater = std::min(end, firstEqual + ahead->place.count);
    } else {
      // In one ascending stretch the first not less from `next` on is the
      // first in the whole stretch, or `next`.
      firstEqual = ahead != nullptr && ahead->place.blockTo != 0
                       ? std::max(next, file.firstInBlock(ahead->place.blockFrom, ahead->place.blockTo, key()))
                       : file.firstNotLess(next, end, key());
      // Entries of one key are few and are all visited anyway.
      firstGreater = file.pastEqual(firstEqual, end, key());
    }
    for (size_t i = firstEqual; i < firstGreater; ++i) {
      if (!classic) {
        const EntryView entry = file.entryView(i);
        visitor.visit(s, entry, true, readingsFolded(k, i, entry, visitor));
        continue;
      }
      file.copyEntry(i, s.entryKey, s.entryColumn);
      held = i;
      visitor.visit(s, viewOf(s.entryColumn), false, false);
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
  // The entry that ended the search stays in entryKey (and entryColumn), as after a scan.
  if (!classic) {
    s.entryKey.assign(file.key(last));
  } else if (held != last) {
    file.copyEntry(last, s.entryKey, s.entryColumn);
  }
  lastKeyOfFile = s.entryKey;
}

}  // namespace zumaro
