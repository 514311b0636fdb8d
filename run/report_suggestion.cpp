#include "run/report_suggestion.h"

#include <algorithm>

#include "address/reading_fold.h"
#include "address/reading_slip.h"

namespace zumaro {
namespace {

constexpr size_t kOthersNamed = 6;

Suggestion ofEntry(const Text& code, TextView pref, TextView city, TextView town) {
  return {code, joined({pref, city, town}), {}, {}};
}

std::optional<Suggestion> fromOwnCode(const ConversionState& s) {
  const SeenEntry* slip = slipOfOwnCode(s);
  if (slip == nullptr) return std::nullopt;
  const EntryView& e = slip->entry;
  return ofEntry(s.postalKey, e[1], e[2], e[3]);
}

std::optional<Suggestion> fromSearch(ConversionState& s, AddressSearch& search, TextView oldCode) {
  const AddressFound& found = search.find(s, oldCode);
  if (found.kind == AddressFound::Kind::None) return std::nullopt;
  Suggestion suggestion{found.codes.front(), writtenAddressOf(found.entries.front()), {}, {}};
  // A message names a few; one more tells that there are others.
  for (size_t i = 1; i < found.entries.size() && i <= kOthersNamed; ++i) {
    if (found.kind == AddressFound::Kind::SeveralCodes) {
      suggestion.otherCodes.push_back(found.codes[i]);
    } else {
      suggestion.otherAddresses.push_back(joined({writtenAddressOf(found.entries[i]), u" ", found.codes[i]}));
    }
  }
  return suggestion;
}

}  // namespace

Text writtenAddressOf(const EntryView& e) { return joined({e[1], e[2], e[3]}); }

std::vector<const SeenEntry*> closestFirst(const RecordMatch& match) {
  std::vector<const SeenEntry*> order;
  for (size_t i = 0; i < match.seenCount; ++i) order.push_back(&match.seen[i]);
  std::stable_sort(order.begin(), order.end(),
                   [](const SeenEntry* a, const SeenEntry* b) { return a->reached > b->reached; });
  return order;
}

std::optional<Suggestion> suggestionFor(ConversionState& s, AddressSearch& search, TextView oldCode) {
  if (s.match.outcome == RecordOutcome::ReadingDiffers) {
    if (auto own = fromOwnCode(s)) return own;
  }
  return fromSearch(s, search, oldCode);
}

}  // namespace zumaro
