#pragma once
#include "state/conversion_state.h"

namespace zumaro {

// Copies the prefecture, city, building and company fields of the record and
// makes the lookup key from its postal code: a leading 〒 and a hyphen (or
// prolonged sound mark) standing fourth are removed. The record is not changed.
void prepareRecord(ConversionState& s);

}  // namespace zumaro
