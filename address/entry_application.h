#pragma once
// Writing an applied entry into the record: the steps both comparisons share.
#include "state/conversion_state.h"

namespace zumaro {

// The written prefecture, city and town area of `e`, followed by the rest of
// the record's address text as the block style writes it, into the
// prefecture and city slots (one slot when they share a field).
void writeAddress(ConversionState& s, const EntryView& e, TextView rest);
// `text` in full width into the slot at `position`, replacing what it held.
void writeFullWidth(ConversionState& s, int position, TextView text);
// A business entry replaces company, building and address, numbers and all.
void applyBusinessEntry(ConversionState& s, const EntryView& e);
// The record's own company name in full width, unless the entry reads one.
void writeCompany(ConversionState& s, const EntryView& e);
// The seven further fields, each by its conversion option.
void convertFurtherFields(ConversionState& s);

}  // namespace zumaro
