#pragma once
#include "state/conversion_state.h"

namespace zumaro {

// Compares one data entry (entryKey, columns 1..10) with the current record and,
// when its readings head the record's city text or it names a company,
// rewrites the record's address, building, company and further fields.
void compareAndApplyEntry(ConversionState& s);

}  // namespace zumaro
