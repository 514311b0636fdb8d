#pragma once
// The working lengths and texts of one comparison, shared by the address
// comparison and the town-suffix normalisation for the length of one entry.
#include "text/text.h"

namespace zumaro {

struct AddressWork {
  int lenken = 0;   // length of dat6, the prefecture reading
  int lencity = 0;  // length of dat7, the city reading
  int lentown = 0;  // length of dat8, the town-area reading
  int lenbil = 0;   // length of dat9, the building reading
  int lenrec = 0;   // length of reccity
  int lenwk = 0;
  int keylen = 0;
  int restlen = 0;
  Text wkstr;
};

}  // namespace zumaro
