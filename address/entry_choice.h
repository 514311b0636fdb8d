#pragma once
// Which entry of the record's postal code is applied. The classic comparison
// applies every agreeing entry as the search meets it; the tolerant one
// compares them all first and applies the one whose agreement uses the most
// of the record's text, and none when two that are written differently agree
// equally far.
#include "address/reading_agreement.h"
#include "state/conversion_state.h"

namespace zumaro {

// Called by the search for every entry with the record's key. The tolerant
// comparison reads `e` only, where it stands, and copies what it keeps,
// keeping the best one in place when `e` lasts the run; the classic one
// reads the entry from entryKey and entryColumn, where the search must have put it.
// `readingsFolded`: the caller knows the entry's readings fold to
// themselves (see readingsFoldToThemselves), so they need no looking at.
void visitEntry(ConversionState& s, const EntryView& e, bool lastsTheRun = false, bool readingsFolded = false);
// Whether the readings the comparison reads of `e` are already in the
// folded view, as the postal data writes them. A search that meets an
// entry again and again may ask once and keep the answer.
bool readingsFoldToThemselves(const EntryView& e);
// Called once the search has ended: applies the chosen entry and sets the
// record's outcome.
void finishRecord(ConversionState& s);

// The tolerant comparison of `e` with the current record, as the search of
// its code makes it; for entries of other codes. `readingsFolded` as for
// visitEntry.
Agreement agreeWithRecord(ConversionState& s, const EntryView& e, bool readingsFolded = false);
// How an agreement ranks: better agreements rank higher.
int rankOf(const Agreement& a);
// The kana the best entry would leave at the head of the record's remainder
// if it were applied; empty when none.
Text kanaLeftByBest(const ConversionState& s);
// The record's address text in the folded view the comparison reads.
TextView foldedRecordText(ConversionState& s);

}  // namespace zumaro
