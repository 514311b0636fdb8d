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

  // Converted records that agreed with an address already written in full:
  // counted here alone, as they are not reported.
  int64_t alreadyWritten = 0;
  // Converted records with kana the applied entry did not name.
  int64_t partlyRead = 0;
  // Converted records whose postal code was fixed from their reading.
  int64_t postalCodeFixed = 0;
  // Converted records that deserve a look all the same, each once whatever
  // its reasons.
  int64_t toCheck = 0;

  // As the report gives the record's rows, misaligned apart.
  void count(const RecordMatch& m) {
    switch (m.outcome) {
      case RecordOutcome::Converted:
        break;
      case RecordOutcome::ConvertedByBusinessCode:
        ++businessCode;
        ++toCheck;
        return;
      case RecordOutcome::ConvertedAfterRepair:
        if (!m.alreadyWritten) ++postalCodeRepaired;
        break;
      case RecordOutcome::ConvertedWithFixedCode:
        ++postalCodeFixed;
        break;
      case RecordOutcome::NoPostalCode:
        ++noPostalCode;
        return;
      case RecordOutcome::PostalCodeUnknown:
        ++postalCodeUnknown;
        return;
      case RecordOutcome::ReadingDiffers:
        ++readingDiffers;
        return;
      case RecordOutcome::Ambiguous:
        ++ambiguous;
        return;
    }
    if (m.alreadyWritten && m.outcome != RecordOutcome::ConvertedWithFixedCode) ++alreadyWritten;
    if (!m.kanaLeft.empty()) ++partlyRead;
    const bool repaired = m.outcome == RecordOutcome::ConvertedAfterRepair && !m.alreadyWritten;
    if (repaired || m.outcome == RecordOutcome::ConvertedWithFixedCode || !m.kanaLeft.empty()) ++toCheck;
  }
  void countMisaligned(int64_t record, int64_t line) {
    if (misaligned++ == 0) {
      firstMisalignedRecord = record;
      firstMisalignedLine = line;
    }
  }
};

}  // namespace zumaro
