#pragma once
// KEN_ALL writes a long town area over several rows of the same postal code:
// the first row opens a （ that a later row closes. Most of these repeat the
// whole reading on every row instead of splitting it.
#include <cstdint>
#include <vector>

#include "tools/mkdat/postal_rows.h"

namespace zumaro::mkdat {

// Joins each such run of rows into its first row: the written town areas are
// concatenated, and so are the readings unless every row has the same one,
// which is then taken once. Returns the number of rows joined into another.
int64_t joinSplitTownAreas(std::vector<AddressRow>& rows);

}  // namespace zumaro::mkdat
