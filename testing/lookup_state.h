#pragma once
// What the fast lookup and the scan leave behind, compared field by field.
// Each function names the first difference of its part of the state, or
// gives "" when the two states agree there.
#include <string>

#include "state/conversion_state.h"

namespace zumaro::testing {

// The entry read last: entryKey, and columns 1..10 where the comparison reads them.
std::string entryDifference(const ConversionState& a, const ConversionState& b);
// The last key read from each of the 23 files.
std::string lastKeyDifference(const ConversionState& a, const ConversionState& b);
// The record field table, whether an entry was applied to the record, and
// the record's outcome.
std::string recordDifference(const ConversionState& a, const ConversionState& b);

// All three, in that order.
std::string stateDifference(const ConversionState& a, const ConversionState& b);

}  // namespace zumaro::testing
