#include "lookup/reading_index.h"

#include <algorithm>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

void addFile(ReadingIndex& index, LoadedDataFile& file) {
  DataEntry entry;
  for (size_t i = 0, n = file.entryCount(); i < n; ++i) {
    for (size_t f = 1; f < entry.size(); ++f) entry[f].assign(file.entryField(i, f));
    index.add(file.entryField(i, 0), entry);
  }
}

}  // namespace

void ReadingIndex::build(DataLookup& lookup, const std::string& folder) {
  for (int k = 1; k <= kDataFileCount; ++k) {
    if (LoadedDataFile* held = lookup.heldFile(k)) {
      addFile(*this, *held);
      continue;
    }
    LoadedDataFile own(dataFilePath(folder, k));
    own.open();
    addFile(*this, own);
  }
  finish();
}

void ReadingIndex::add(TextView key, const DataEntry& e) {
  if (!e[5].empty() || e[7].empty()) return;  // business entries are found by their code alone
  const auto at = static_cast<uint32_t>(entries_.size());
  entries_.push_back({Text(key), e[1], e[2], e[3], e[6]});
  Text pref, cityTown, part;
  foldReading(e[6], pref);
  foldReading(e[7], cityTown);
  foldReading(e[8], part);
  cityTown += part;
  addReading(cityTown, at);
  addReading(pref + cityTown, at);
}

void ReadingIndex::addReading(TextView folded, uint32_t entry) {
  readings_.push_back({static_cast<uint32_t>(chars_.size()), static_cast<uint32_t>(folded.size()), entry});
  chars_ += folded;
}

void ReadingIndex::finish() {
  std::stable_sort(readings_.begin(), readings_.end(),
                   [&](const Reading& a, const Reading& b) { return reading(a) < reading(b); });
}

std::vector<const IndexedEntry*> ReadingIndex::longestWholeReading(
    const FoldedText& text, const std::function<bool(const IndexedEntry&)>& accepted) const {
  const TextView folded = text.view();
  std::vector<const IndexedEntry*> found;
  auto lo = readings_.begin(), hi = readings_.end();
  // Readings that begin with the first d folded characters stand in
  // [lo, hi); the one exactly d long, if any, stand first.
  for (size_t d = 0; lo != hi; ++d) {
    auto whole = lo;
    while (whole != hi && whole->length == d) ++whole;
    if (d > 0 && whole != lo && text.endsCharacter(d)) {
      std::vector<const IndexedEntry*> here;
      for (auto r = lo; r != whole; ++r)
        if (accepted(entries_[r->entry])) here.push_back(&entries_[r->entry]);
      if (!here.empty()) found = std::move(here);
    }
    if (d == folded.size()) break;
    const char16_t c = folded[d];
    lo = std::lower_bound(whole, hi, c, [&](const Reading& r, char16_t v) { return chars_[r.start + d] < v; });
    hi = std::upper_bound(lo, hi, c, [&](char16_t v, const Reading& r) { return v < chars_[r.start + d]; });
  }
  // An entry may stand under both its readings; entries_ is in file order.
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace zumaro
