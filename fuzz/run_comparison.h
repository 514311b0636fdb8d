#pragma once
// One run case (see run_case.h) run with the fast lookup and with the scan,
// each on a fresh conversion state, with either comparison; the fast lookup
// also with the decoding record path, against the byte path.
#include <cstddef>
#include <cstdint>

#include "run/conversion_run.h"

namespace zumaro::fuzz {

// The outcome both lookups agree on under the classic comparison; throws Finding where they differ (in
// the outcome, the output or unmatched file, or the lookup state left
// behind), where the record paths differ in the same, or where an outcome
// contradicts itself or the files.
RunOutcome runBothWays(const uint8_t* data, size_t size);

}  // namespace zumaro::fuzz
