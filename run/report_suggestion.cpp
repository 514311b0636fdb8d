#include "run/report_suggestion.h"

#include <algorithm>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

constexpr size_t kOtherCodesNamed = 5;

bool prefectureShared(const ConversionState& s) { return s.settings.posken == s.settings.poscity; }

size_t foldedLength(TextView reading) {
  Text folded;
  foldReading(reading, folded);
  return folded.size();
}

Suggestion ofEntry(const Text& code, TextView pref, TextView city, TextView town) {
  return {code, joined({pref, city, town}), {}};
}

std::optional<Suggestion> fromOwnCode(const ConversionState& s) {
  const auto closest = closestFirst(s.match);
  if (closest.empty() || !closeEnough(s, *closest.front())) return std::nullopt;
  const EntryView& e = closest.front()->entry;
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

size_t foldedCityEnd(const ConversionState& s, const EntryView& e) {
  return (prefectureShared(s) ? foldedLength(e[6]) : 0) + foldedLength(e[7]);
}

bool closeEnough(const ConversionState& s, const SeenEntry& seen) {
  const size_t town = foldedLength(seen.entry[8]);
  return static_cast<size_t>(seen.reached) >= foldedCityEnd(s, seen.entry) + (town + 1) / 2;
}

std::optional<Suggestion> suggestionFor(const ConversionState& s, ReadingSearch& search) {
  if (s.match.outcome == RecordOutcome::ReadingDiffers) {
    if (auto own = fromOwnCode(s)) return own;
  }
  return fromReadings(s, search);
}

}  // namespace zumaro
