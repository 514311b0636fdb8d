#include "lookup/reading_index.h"

#include <algorithm>

#include "address/reading_fold.h"
#include "lookup/text_hash.h"

namespace zumaro {
namespace {

void addFile(ReadingIndex& index, LoadedDataFile& file) {
  for (size_t i = 0, n = file.entryCount(); i < n; ++i) index.add(file.key(i), file.entryView(i));
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

// The data's readings mostly fold to themselves: they are folded only where
// they do not.
void ReadingIndex::add(TextView key, const EntryView& e) {
  if (!e[5].empty() || e[7].empty()) return;  // business entries are found by their code alone
  const auto at = static_cast<uint32_t>(entries_.size());
  const TextView pref = foldedReading(e[6], pref_);
  cityTown_.assign(foldedReading(e[7], part_));
  cityTown_.append(foldedReading(e[8], part_));
  addReading(cityTown_, at);
  if (!pref.empty()) {
    whole_.assign(pref).append(cityTown_);
    addReading(whole_, at);
  }
  entries_.push_back({Text(key), Text(e[1]), Text(e[2]), Text(e[3]), Text(pref)});
}

void ReadingIndex::addReading(TextView folded, uint32_t entry) {
  readings_.push_back(
      {hashOf(folded), static_cast<uint32_t>(chars_.size()), static_cast<uint32_t>(folded.size()), entry});
  chars_ += folded;
}

void ReadingIndex::finish() {
  // Equal readings keep file order: an entry's readings differ from each
  // other, and entries were added in file order.
  std::sort(readings_.begin(), readings_.end(), [&](const Reading& a, const Reading& b) {
    if (a.hash != b.hash) return a.hash < b.hash;
    const int order = reading(a).compare(reading(b));
    return order != 0 ? order < 0 : a.entry < b.entry;
  });
  size_t size = 16;
  while (size < 2 * readings_.size()) size *= 2;
  groups_.assign(size, Group{});
  mask_ = size - 1;
  for (size_t i = 0; i < readings_.size();) {
    uint32_t count = 1;
    while (i + count < readings_.size() && reading(readings_[i + count]) == reading(readings_[i])) ++count;
    size_t slot = readings_[i].hash & mask_;
    while (groups_[slot].count != 0) slot = (slot + 1) & mask_;
    groups_[slot] = {readings_[i].hash, static_cast<uint32_t>(i), count};
    i += count;
  }
}

const ReadingIndex::Group* ReadingIndex::groupOf(TextView folded, uint64_t hash) const {
  for (size_t slot = hash & mask_; groups_[slot].count != 0; slot = (slot + 1) & mask_) {
    const Group& g = groups_[slot];
    if (g.hash == hash && reading(readings_[g.first]) == folded) return &g;
  }
  return nullptr;
}

std::vector<const IndexedEntry*> ReadingIndex::longestWholeReading(
    const FoldedText& text, const std::function<bool(const IndexedEntry&)>& accepted) const {
  std::vector<const IndexedEntry*> found;
  if (groups_.empty()) return found;
  const TextView folded = text.view();
  std::vector<uint64_t> prefixHash(folded.size() + 1, kHashStart);
  for (size_t i = 0; i < folded.size(); ++i) prefixHash[i + 1] = hashOn(prefixHash[i], folded[i]);
  // Every length's slot lies somewhere else in a table far larger than the
  // cache: asked for all at once, their reads overlap instead of queueing.
  for (size_t length = folded.size(); length > 0; --length) __builtin_prefetch(&groups_[prefixHash[length] & mask_]);
  for (size_t length = folded.size(); length > 0 && found.empty(); --length) {
    if (!text.endsCharacter(length)) continue;
    const Group* g = groupOf(folded.substr(0, length), prefixHash[length]);
    if (!g) continue;
    for (uint32_t i = g->first; i < g->first + g->count; ++i) {
      const IndexedEntry& e = entries_[readings_[i].entry];
      if (accepted(e)) found.push_back(&e);
    }
  }
  // An entry may stand under both its readings; entries_ is in file order.
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace zumaro
