#pragma once
// The entry a record that did not convert most probably means. First the
// entries of its own code, closest reading first: one whose reading the
// record's text follows through the city and at least half of the town area
// is close enough. Then, over all entries, the longest whole reading
// (prefecture if the address text holds it, city, town area) the record's
// text begins with, among the entries of the prefecture a separate
// prefecture field names. Nothing otherwise; a suggestion is never applied.
#include <optional>
#include <string>
#include <vector>

#include "lookup/reading_index.h"
#include "state/conversion_state.h"

namespace zumaro {

struct Suggestion {
  Text postalCode;               // 7 digits
  Text address;                  // written prefecture, city and town area
  std::vector<Text> otherCodes;  // of further entries with the same reading, at most six
};

// The reading index, built on first use.
class ReadingSearch {
 public:
  ReadingSearch(DataLookup& lookup, std::string folder) : lookup_(lookup), folder_(std::move(folder)) {}
  const ReadingIndex& index();

 private:
  DataLookup& lookup_;
  std::string folder_;
  bool built_ = false;
  ReadingIndex index_;
};

// The entries of the record's code as the comparison saw them, the one whose
// reading the record's text follows furthest first.
std::vector<const SeenEntry*> closestFirst(const RecordMatch& match);

// The entry of the record's own code whose reading the record's text has
// a slip in: it agrees through the city, and in the town area at least half
// of the reading's characters stand as the record writes them (one changed,
// dropped or doubled). The closest such entry, or null.
const SeenEntry* slipOfOwnCode(const ConversionState& s);

std::optional<Suggestion> suggestionFor(const ConversionState& s, ReadingSearch& search);

}  // namespace zumaro
