#pragma once
// Writing an applied entry into the record: the steps both comparisons share.
#include <limits>

#include "state/conversion_state.h"

namespace zumaro {

// `used` of an entry applied on its code alone: it agreed with none of the
// record's text.
inline constexpr int kAppliedOnTheCode = std::numeric_limits<int>::max();

// The written prefecture, city and town area of `e`, followed by `rest`, the
// end of the record's address text behind what agreed, as the block style
// writes it, into the prefecture and city slots (one slot when they share a
// field). With a town field of its own each field gets the written form of
// what it held: `used`, the characters of cityFieldAsRead that agreed, tells
// whether the record wrote the town area in the city field all the same.
void writeAddress(ConversionState& s, const EntryView& e, TextView rest, int used = kAppliedOnTheCode);
// `text` in full width into the slot at `position`, replacing what it held.
void writeFullWidth(ConversionState& s, int position, TextView text);
// A business entry replaces company, building and address, numbers and all.
void applyBusinessEntry(ConversionState& s, const EntryView& e);
// The record's own company name in full width, unless the entry reads one.
void writeCompany(ConversionState& s, const EntryView& e);
// The seven further fields, each by its conversion option.
void convertFurtherFields(ConversionState& s);

}  // namespace zumaro
