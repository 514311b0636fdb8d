#pragma once
// Whether an entry's readings head a record's address text, compared in the
// folded view. Besides plain equality the comparison accepts the other
// reading of 町 (ﾁﾖｳ for ﾏﾁ and back) where the record really writes it, a
// 大字 or 字 (ｵｵｱｻﾞ, ｱｻﾞ) that the record writes before the town area, and
// the prefecture written where the layout does not expect it, or left out
// where it does.
#include "address/reading_fold.h"

namespace zumaro {

struct EntryReadings {
  TextView prefecture;            // folded
  TextView city;                  // folded
  TextView town;                  // folded
  bool prefectureInText = false;  // prefecture and city share the record's field
};

struct Agreement {
  bool agrees = false;
  int used = 0;     // characters of the record's text used, skipped spaces and 大字 included
  int reached = 0;  // folded characters that agreed before the first difference, at most
  // Agreed only by passing over a 大字 or 字, or a prefecture the layout did
  // not expect, or by going on without one it did.
  bool passedOver = false;
};

// A record's text in the folded view, seen where it is held: the folded
// text, or the text itself where it folds to itself, which then needs no copy.
class FoldedRecordView {
 public:
  FoldedRecordView(const FoldedText& folded) : units_(folded.view()), folded_(&folded) {}  // implicit: a view of it
  static FoldedRecordView itself(TextView text) { return FoldedRecordView(text); }

  TextView view() const { return units_; }
  bool endsCharacter(size_t at) const { return folded_ == nullptr || folded_->endsCharacter(at); }
  int textUsed(size_t at) const { return folded_ == nullptr ? static_cast<int>(at) : folded_->textUsed(at); }

 private:
  explicit FoldedRecordView(TextView text) : units_(text) {}
  TextView units_;
  const FoldedText* folded_ = nullptr;
};

Agreement agreeReadings(FoldedRecordView record, const EntryReadings& entry);

}  // namespace zumaro
