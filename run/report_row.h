#pragma once
// One row of the report: a record that deserves a look, one reason of it,
// and what it probably should be.
#include <cstdint>

#include "text/text.h"

namespace zumaro {

// In the order a record's rows are given.
enum class ReportReason {
  NoPostalCode,
  PostalCodeUnknown,
  ReadingDiffers,
  Ambiguous,
  BusinessCode,
  PostalCodeRepaired,
  PostalCodeFixed,  // converted under the code its reading names, written in
  PartlyRead,       // converted, but kana the entry does not name are left
  Misaligned,
};

struct ReportRow {
  int64_t record = 0;  // 1 = the first record of the file
  int64_t line = 0;    // of the input, where the record begins
  ReportReason reason = ReportReason::NoPostalCode;
  Text postalCode;           // the field as read
  Text addressAsRead;        // prefecture, city and town-area fields as read
  Text suggestedPostalCode;  // 7 digits, or empty
  Text suggestedAddress;     // written prefecture, city and town area, or empty
  Text message;
};

// The word the report writes for `reason`.
TextView reasonWord(ReportReason reason);
// The same in Japanese, as the programs show it to the user.
TextView reasonLabel(ReportReason reason);

}  // namespace zumaro
