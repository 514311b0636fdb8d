#pragma once
// The records of a run counted by why they came out as they did, as the
// summary line and the report name the reasons.
#include <cstdint>

#include "state/record_match.h"

namespace zumaro {

struct ReasonCounts {
  int64_t noPostalCode = 0;
  int64_t postalCodeUnknown = 0;
  int64_t readingDiffers = 0;
  int64_t ambiguous = 0;
  int64_t businessCode = 0;
  int64_t postalCodeRepaired = 0;
  int64_t misaligned = 0;  // records that do not begin at the start of a line
  int64_t firstMisalignedRecord = 0;
  int64_t firstMisalignedLine = 0;

  void count(RecordOutcome outcome) {
    switch (outcome) {
      case RecordOutcome::Converted:
        break;
      case RecordOutcome::ConvertedByBusinessCode:
        ++businessCode;
        break;
      case RecordOutcome::ConvertedAfterRepair:
        ++postalCodeRepaired;
        break;
      case RecordOutcome::NoPostalCode:
        ++noPostalCode;
        break;
      case RecordOutcome::PostalCodeUnknown:
        ++postalCodeUnknown;
        break;
      case RecordOutcome::ReadingDiffers:
        ++readingDiffers;
        break;
      case RecordOutcome::Ambiguous:
        ++ambiguous;
        break;
    }
  }
  void countMisaligned(int64_t record, int64_t line) {
    if (misaligned++ == 0) {
      firstMisalignedRecord = record;
      firstMisalignedLine = line;
    }
  }
  // Converted records that deserve a look all the same.
  int64_t toCheck() const { return businessCode + postalCodeRepaired; }
};

}  // namespace zumaro
