#pragma once
// 町 at the end of a city or town-area name reads ﾁﾖｳ or ﾏﾁ, and a record may
// use the other reading than the entry. chou (for the city reading) and machi
// (for the town-area reading) cut the entry's suffix and the same place of the
// record's city text, so the comparison that follows sees them agree.
#include "address/address_work.h"
#include "state/conversion_state.h"

namespace zumaro {

void chou(ConversionState& s, AddressWork& w);
void machi(ConversionState& s, AddressWork& w);

}  // namespace zumaro
