#include "records/header_row_guess.h"

#include <algorithm>

#include "records/postal_code_reading.h"

namespace zumaro {
namespace {

// Of the ten records after the first, one may lack a readable code.
constexpr size_t kUnreadableAllowed = 1;

bool holdsDigit(TextView field) {
  return std::any_of(field.begin(), field.end(),
                     [](char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); });
}

// An empty title is no title: a first record merely lacking its code is
// more likely than a header that leaves the postal column unnamed.
bool holdsText(TextView field) {
  return std::any_of(field.begin(), field.end(), [](char16_t c) { return c != u' ' && c != u'\u3000'; });
}

bool readable(TextView field) { return readPostalCode(field).kind != PostalCodeReading::Kind::None; }

}  // namespace

HeaderRowGuess guessHeaderRow(std::span<const Text> postalFields, bool complete) {
  if (postalFields.empty()) return complete ? HeaderRowGuess::NotHeader : HeaderRowGuess::Undecided;
  if (holdsDigit(postalFields[0]) || !holdsText(postalFields[0])) return HeaderRowGuess::NotHeader;
  const std::span<const Text> after = postalFields.subspan(1, std::min(postalFields.size(), kHeaderGuessRecords) - 1);
  const auto unreadable =
      static_cast<size_t>(std::count_if(after.begin(), after.end(), [](const Text& f) { return !readable(f); }));
  if (unreadable > kUnreadableAllowed) return HeaderRowGuess::NotHeader;
  if (after.size() == kHeaderGuessRecords - 1) return HeaderRowGuess::Header;
  if (!complete) return HeaderRowGuess::Undecided;
  // A short list: every record after the first holds a code, and one does.
  return !after.empty() && unreadable == 0 ? HeaderRowGuess::Header : HeaderRowGuess::NotHeader;
}

}  // namespace zumaro
