#pragma once
// Which entry of the record's postal code is applied. The classic comparison
// applies every agreeing entry as the search meets it; the tolerant one
// compares them all first and applies the one whose agreement uses the most
// of the record's text, and none when two that are written differently agree
// equally far.
#include "state/conversion_state.h"

namespace zumaro {

// Called by the search for every entry with the record's key. The tolerant
// comparison reads `e` only, where it stands, and copies what it keeps,
// keeping the best one in place when `e` lasts the run; the classic one
// reads the entry from datno and dat, where the search must have put it.
void visitEntry(ConversionState& s, const EntryView& e, bool lastsTheRun = false);
// Called once the search has ended: applies the chosen entry and sets the
// record's outcome.
void finishRecord(ConversionState& s);

}  // namespace zumaro
