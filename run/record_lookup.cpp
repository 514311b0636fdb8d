#include "run/record_lookup.h"

#include "address/entry_choice.h"
#include "records/postal_code_reading.h"
#include "records/record_preparation.h"
#include "run/entry_comparison.h"

namespace zumaro {

void lookUpRecord(ConversionState& s, DataLookup& lookup, RecordRepair* repair) {
  s.entryApplied = false;
  s.match.startRecord();
  prepareRecord(s);
  if (s.matchMode == MatchMode::Classic) {
    searchAndCompare(s, lookup);
    finishRecord(s);
    return;
  }
  // The tolerant key replaces the classic one; a field that holds no code
  // is not looked up at all.
  const PostalCodeReading code = readPostalCode(slot(s, s.settings.postalCodePosition));
  if (code.kind == PostalCodeReading::Kind::None) {
    s.match.outcome = RecordOutcome::NoPostalCode;
    if (repair) repair->repair(s, lookup, code);
    return;
  }
  s.postalKey = code.key;
  s.match.keyRepaired = code.kind == PostalCodeReading::Kind::Repaired;
  searchAndCompare(s, lookup);
  if (!s.match.collectSeen && s.match.hasBest && s.match.ties.empty() && !kanaLeftByBest(s).empty()) {
    // Whether the kana left are a slip in the reading of another entry of
    // the code is told by those entries: searched again, keeping them.
    s.match.startRecord();
    s.match.keyRepaired = code.kind == PostalCodeReading::Kind::Repaired;
    s.match.collectSeen = true;
    searchAndCompare(s, lookup);
    s.match.collectSeen = false;
  }
  if (repair && repair->repair(s, lookup, code)) return;
  finishRecord(s);
}

}  // namespace zumaro
