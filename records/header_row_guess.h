#pragma once
// A header row read as a record: a list exported with its column titles but
// converted without --header makes its first record of the titles, which
// nothing converts. The postal-code column gives it away: a title where the
// records below hold codes.
#include <cstddef>
#include <span>

#include "text/text.h"

namespace zumaro {

// The first record and the ten after it decide.
inline constexpr size_t kHeaderGuessRecords = 11;

enum class HeaderRowGuess {
  Undecided,  // more records are needed
  Header,
  NotHeader,
};

// From the postal-code fields of a list's first records as read (only the
// first kHeaderGuessRecords count). The first record looks like a header when
// its field holds text but no digit and at least nine of the next ten fields
// hold a postal code the run reads (all of them when fewer follow).
// `complete`: the list holds no records beyond these.
HeaderRowGuess guessHeaderRow(std::span<const Text> postalFields, bool complete);

inline bool looksLikeHeaderRow(std::span<const Text> postalFields) {
  return guessHeaderRow(postalFields, true) == HeaderRowGuess::Header;
}

}  // namespace zumaro
