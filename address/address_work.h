#pragma once
// The working lengths and texts of one comparison, shared by the address
// comparison and the town-suffix normalisation for the length of one entry.
#include "text/text.h"

namespace zumaro {

struct AddressWork {
  int prefectureReadingLength = 0;  // length of column6, the prefecture reading
  int cityReadingLength = 0;        // length of column7, the city reading
  int townReadingLength = 0;        // length of column8, the town-area reading
  int buildingReadingLength = 0;    // length of column9, the building reading
  int cityFieldLength = 0;          // length of cityField
  int scratchLength = 0;
  int keyLength = 0;
  int restStart = 0;
  Text scratchText;
};

}  // namespace zumaro
