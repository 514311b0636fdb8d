#pragma once
// One record's way through the postal data: its key, the search of the data
// file that serves it, and the entry applied. The record's outcome is left
// in s.match.outcome.
#include "lookup/data_search.h"
#include "records/postal_code_reading.h"
#include "state/conversion_state.h"

namespace zumaro {

// A second way for a record of the tolerant comparison that its own code
// converted nothing of (or only by the city's own entry, kana left behind).
class RecordRepair {
 public:
  virtual ~RecordRepair() = default;
  // Called once the search of the record's code has ended, before anything
  // is applied (`code` is how its postal code was read). True when it
  // settled the record itself; false leaves it to what the code found.
  virtual bool repair(ConversionState& s, DataLookup& lookup, const PostalCodeReading& code) = 0;
};

void lookUpRecord(ConversionState& s, DataLookup& lookup, RecordRepair* repair = nullptr);

}  // namespace zumaro
