#pragma once
// Writing an applied entry into the record: the steps both comparisons share.
#include "state/conversion_state.h"

namespace zumaro {

// The written prefecture, city and town area of `e`, followed by `remainder`,
// into the prefecture and city slots (one slot when they share a field).
void writeAddress(ConversionState& s, const EntryView& e, const Text& remainder);
// A business entry replaces company, building and address, numbers and all.
void applyBusinessEntry(ConversionState& s, const EntryView& e);
// The record's own company name in full width, unless the entry reads one.
void writeCompany(ConversionState& s, const EntryView& e);
// The seven further fields, each by its conversion option.
void convertFurtherFields(ConversionState& s);

}  // namespace zumaro
