#include "run/report_suggestion.h"

#include <algorithm>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

constexpr size_t kOtherCodesNamed = 5;

bool prefectureShared(const ConversionState& s) { return s.settings.posken == s.settings.poscity; }

Suggestion ofEntry(const Text& code, TextView pref, TextView city, TextView town) {
  return {code, joined({pref, city, town}), {}};
}

std::optional<Suggestion> fromOwnCode(const ConversionState& s) {
  const SeenEntry* slip = slipOfOwnCode(s);
  if (slip == nullptr) return std::nullopt;
  const EntryView& e = slip->entry;
  return ofEntry(s.keyno, e[1], e[2], e[3]);
}

std::optional<Suggestion> fromReadings(const ConversionState& s, ReadingSearch& search) {
  FoldedText text;
  foldText(s.reccityRead, text);
  Text prefecture;
  if (!prefectureShared(s)) foldReading(s.recken, prefecture);
  Text written = s.recken;
  std::erase_if(written, isSpace);
  // A separate prefecture field, read or written, keeps the search inside
  // its prefecture.
  const auto found = search.index().longestWholeReading(text, [&](const IndexedEntry& e) {
    return prefecture.empty() || e.prefectureReading == prefecture || e.prefecture == written;
  });
  if (found.empty()) return std::nullopt;
  const IndexedEntry& e = *found.front();
  Suggestion suggestion = ofEntry(e.postalCode, e.prefecture, e.city, e.town);
  // A message names a few; one more tells that there are others.
  auto& codes = suggestion.otherCodes;
  for (const IndexedEntry* other : found) {
    if (codes.size() > kOtherCodesNamed) break;
    if (other->postalCode != e.postalCode && std::find(codes.begin(), codes.end(), other->postalCode) == codes.end())
      codes.push_back(other->postalCode);
  }
  return suggestion;
}

}  // namespace

const ReadingIndex& ReadingSearch::index() {
  if (!built_) {
    index_.build(lookup_, folder_);
    built_ = true;
  }
  return index_;
}

std::vector<const SeenEntry*> closestFirst(const RecordMatch& match) {
  std::vector<const SeenEntry*> order;
  for (size_t i = 0; i < match.seenCount; ++i) order.push_back(&match.seen[i]);
  std::stable_sort(order.begin(), order.end(),
                   [](const SeenEntry* a, const SeenEntry* b) { return a->reached > b->reached; });
  return order;
}

namespace {

// The fewest edits that turn some head of `text` into `reading`.
size_t editsFromHead(TextView text, TextView reading) {
  const size_t most = std::min(text.size(), reading.size() + 2);
  std::vector<size_t> before(reading.size() + 1), now(reading.size() + 1);
  for (size_t j = 0; j <= reading.size(); ++j) before[j] = j;
  size_t fewest = before.back();
  for (size_t i = 1; i <= most; ++i) {
    now[0] = i;
    for (size_t j = 1; j <= reading.size(); ++j)
      now[j] = std::min({before[j] + 1, now[j - 1] + 1, before[j - 1] + (text[i - 1] == reading[j - 1] ? 0 : 1)});
    fewest = std::min(fewest, now.back());
    std::swap(before, now);
  }
  return fewest;
}

}  // namespace

const SeenEntry* slipOfOwnCode(const ConversionState& s) {
  FoldedText text;
  foldText(s.reccityRead, text);
  const SeenEntry* closest = nullptr;
  size_t fewest = SIZE_MAX;
  for (size_t i = 0; i < s.match.seenCount; ++i) {
    const SeenEntry& seen = s.match.seen[i];
    if (seen.townStart < 0 || seen.entry[8].empty()) continue;
    Text town;
    foldReading(seen.entry[8], town);
    const size_t edits = editsFromHead(text.view().substr(static_cast<size_t>(seen.townStart)), town);
    if (2 * edits <= town.size() && edits < fewest) {
      closest = &seen;
      fewest = edits;
    }
  }
  return closest;
}

std::optional<Suggestion> suggestionFor(const ConversionState& s, ReadingSearch& search) {
  if (s.match.outcome == RecordOutcome::ReadingDiffers) {
    if (auto own = fromOwnCode(s)) return own;
  }
  return fromReadings(s, search);
}

}  // namespace zumaro
