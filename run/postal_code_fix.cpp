#include "run/postal_code_fix.h"

#include "address/entry_choice.h"
#include "address/reading_slip.h"
#include "records/postal_code_notation.h"
#include "run/entry_comparison.h"

namespace zumaro {
namespace {

// Whether the code's own entries leave the record wanting another code.
bool ownCodeFailed(const ConversionState& s) {
  const RecordMatch& m = s.match;
  if (m.hasBusiness) return false;
  if (!m.hasBest) return true;
  // The city's own entry (no town area) applied with kana left behind: a
  // code for the whole city where the town area has one of its own.
  return m.ties.empty() && m.best[8].empty() && !kanaLeftByBest(s).empty();
}

RecordOutcome outcomeOfOwnCode(const ConversionState& s, bool noCode) {
  const RecordMatch& m = s.match;
  if (noCode) return RecordOutcome::NoPostalCode;
  if (m.hasBest) return RecordOutcome::Converted;
  return m.entriesSeen == 0 ? RecordOutcome::PostalCodeUnknown : RecordOutcome::ReadingDiffers;
}

void searchUnder(ConversionState& s, DataLookup& lookup, TextView key, bool keyRepaired) {
  s.entryApplied = false;
  s.match.startRecord();
  s.match.keyRepaired = keyRepaired;
  s.postalKey.assign(key);
  searchAndCompare(s, lookup);
}

// The entry found applied as the search of its code would apply it: every
// entry of the code that agrees at all was a candidate of the address
// search, so its best is the code's best. Taken as a guess, as a code whose
// zeros were put back: never a business entry of the code.
void applyFound(ConversionState& s, const AddressFound& found) {
  RecordMatch& m = s.match;
  s.entryApplied = false;
  m.startRecord();
  m.keyRepaired = true;
  s.postalKey.assign(found.codes.front());
  const Agreement& a = found.agreement;
  m.entriesSeen = 1;
  m.hasBest = true;
  m.best = found.entries.front();  // held by the search for the whole run
  m.bestRank = rankOf(a);
  m.bestUsed = a.used;
  m.bestWritten = a.written;
  m.bestTownStart = a.townStart;
  finishRecord(s);
}

}  // namespace

bool PostalCodeFix::repair(ConversionState& s, DataLookup& lookup, const PostalCodeReading& code) {
  const bool noCode = code.kind == PostalCodeReading::Kind::None;
  if (!noCode && !ownCodeFailed(s)) return false;
  if (!noCode && s.match.seenCount > 0 && slipOfOwnCode(s) != nullptr) return false;
  const AddressFound& found = search_.find(s, code.oldCode);
  if (found.kind != AddressFound::Kind::One) return false;

  const RecordOutcome before = outcomeOfOwnCode(s, noCode);
  const Text ownKey = s.postalKey;
  const bool ownKeyRepaired = s.match.keyRepaired;
  applyFound(s, found);
  if (s.match.outcome != RecordOutcome::ConvertedAfterRepair) {
    // The code's entries did not settle it as the search did: the record
    // stays as its own code left it.
    if (noCode) {
      s.entryApplied = false;
      s.match.startRecord();
      s.match.outcome = RecordOutcome::NoPostalCode;
      return true;
    }
    searchUnder(s, lookup, ownKey, ownKeyRepaired);
    return false;
  }
  const int postal = s.settings.postalCodePosition;
  setSlot(s, postal, postalCodeLike(slot(s, postal), found.codes.front()));
  s.match.outcomeBeforeFix = before;
  s.match.outcome = RecordOutcome::ConvertedWithFixedCode;
  return true;
}

}  // namespace zumaro
