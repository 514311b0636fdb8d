#pragma once
// The address entries made from KEN_ALL rows (split town areas already
// joined): the postal code, the written prefecture, city and town area and
// their readings; for a high-rise row also the building with its floor.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdat/data_entry.h"
#include "tools/mkdat/postal_rows.h"

namespace zumaro::mkdat {

struct AddressEntryCounts {
  int64_t notesRemoved = 0;         // parenthesised notes taken out of written town areas
  int64_t townAreasNamingNone = 0;  // "以下に掲載がない場合" and the like, written empty
  int64_t highRiseRows = 0;
  int64_t highRiseWithoutTown = 0;  // building rows whose town area was not found apart
};

// One entry per row, in row order.
std::vector<DataEntry> makeAddressEntries(const std::vector<AddressRow>& rows, const std::string& file,
                                          AddressEntryCounts& counts);

}  // namespace zumaro::mkdat
