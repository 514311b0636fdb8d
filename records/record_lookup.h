#pragma once
// One record's way through the postal data: its key, the search of the data
// file that serves it, and the entry applied. The record's outcome is left
// in s.match.outcome.
#include "lookup/data_search.h"
#include "state/conversion_state.h"

namespace zumaro {

void lookUpRecord(ConversionState& s, DataLookup& lookup);

}  // namespace zumaro
