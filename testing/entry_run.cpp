#include "testing/entry_run.h"

#include "address/entry_choice.h"
#include "records/record_preparation.h"

namespace zumaro::testing {

void meetEntries(ConversionState& s, const std::vector<DataEntry>& entries) {
  const bool repaired = s.match.keyRepaired;
  s.entryApplied = false;
  s.match.startRecord();
  s.match.keyRepaired = repaired;
  prepareRecord(s);
  for (const DataEntry& e : entries) {
    s.entryColumn = e;
    visitEntry(s, viewOf(e));
  }
  finishRecord(s);
}

}  // namespace zumaro::testing
