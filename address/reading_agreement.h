#pragma once
// Whether an entry's readings head a record's address text, compared in the
// folded view. Besides plain equality the comparison accepts the other
// reading of 町 (ﾁﾖｳ for ﾏﾁ and back) where the record really writes it, and
// a 大字 or 字 (ｵｵｱｻﾞ, ｱｻﾞ) that the record writes before the town area.
#include "address/reading_fold.h"

namespace zumaro {

struct EntryReadings {
  TextView prefecture;  // folded; empty unless prefecture and city share a field
  TextView city;        // folded
  TextView town;        // folded
};

struct Agreement {
  bool agrees = false;
  int used = 0;     // characters of the record's text used, skipped spaces and 大字 included
  int reached = 0;  // folded characters that agreed before the first difference, at most
  bool passedOaza = false;  // agreed only by passing over a 大字 or 字 of the record
};

Agreement agreeReadings(const FoldedText& record, const EntryReadings& entry);

}  // namespace zumaro
