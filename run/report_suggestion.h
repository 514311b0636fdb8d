#pragma once
// The entry a record that did not convert most probably means. First the
// entries of its own code: one whose reading the record's text has a slip
// in (address/reading_slip.h). Then what the address search finds over all
// entries (run/address_search.h), the same that a fixed postal code takes.
// Nothing otherwise; a suggestion is never applied.
#include <optional>
#include <string>
#include <vector>

#include "run/address_search.h"
#include "state/conversion_state.h"

namespace zumaro {

struct Suggestion {
  Text postalCode;                 // 7 digits
  Text address;                    // written prefecture, city and town area
  std::vector<Text> otherCodes{};  // of the same address, at most six
  // Other written addresses that agree as well, each with its code: the
  // record names none of them for certain.
  std::vector<Text> otherAddresses{};
};

// The written prefecture, city and town area of an entry.
Text writtenAddressOf(const EntryView& e);

// The entries of the record's code as the comparison saw them, the one whose
// reading the record's text follows furthest first.
std::vector<const SeenEntry*> closestFirst(const RecordMatch& match);

// `oldCode`: as AddressSearch::find takes it.
std::optional<Suggestion> suggestionFor(ConversionState& s, AddressSearch& search, TextView oldCode);

}  // namespace zumaro
