#pragma once
// The report rows of one record, after its lookup: one per reason, in the
// order of ReportReason.
#include <vector>

#include "run/record_loop.h"
#include "run/report_row.h"
#include "run/report_suggestion.h"
#include "state/conversion_state.h"

namespace zumaro {

// `s` is not changed but for the comparison's room, which the search of a
// suggestion uses.
void reportRowsOf(ConversionState& s, const RecordPlace& place, AddressSearch& search, std::vector<ReportRow>& rows);

}  // namespace zumaro
