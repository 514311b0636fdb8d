#pragma once
// A record met with the entries of its code, as the search hands them to the
// comparison, without data files.
#include <vector>

#include "state/conversion_state.h"

namespace zumaro::testing {

// `s` holds the settings and the record in its slots; `entries` are all the
// entries of the record's code, in file order. The record's slots and
// s.match tell the result.
void meetEntries(ConversionState& s, const std::vector<DataEntry>& entries);

}  // namespace zumaro::testing
