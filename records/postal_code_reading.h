#pragma once
// The postal code as people write it: padded with spaces by fixed-width
// exports, in full-width digits, with any dash at the fourth place, behind a
// 〒, or as a number whose leading zeros a spreadsheet dropped.
#include "text/text.h"

namespace zumaro {

struct PostalCodeReading {
  enum class Kind {
    Code,      // seven digits
    Repaired,  // five or six digits, zeros put back in front
    None,      // no postal code in the field
  };
  Kind kind = Kind::None;
  Text key;  // seven ASCII digits, empty for None
  // A code of before February 1998 (ddd-dd or ddd, or five digits, which are
  // tried as a cut code first): its digits, else empty.
  Text oldCode;
};

PostalCodeReading readPostalCode(TextView field);

}  // namespace zumaro
