#pragma once
// Whether an entry's address heads a record's address text, compared in the
// folded view, part by part as an address is made: the prefecture, the city
// (for some a 郡 and a town or village, or a designated city and a ward),
// the town area (sometimes after 大字 or 字). Each part may be read (in any
// form the fold brings to the data's) or written as the data writes it, and
// the numbers of a town area read out or in digits. Besides, the comparison
// accepts the other reading of 町 (ﾁﾖｳ for ﾏﾁ and back) where the record
// really writes it, and the leaps: a 大字 or 字 before the town area, the
// prefecture written where the layout does not expect it or left out where
// it does, and the 郡 or the designated city left out.
#include "address/reading_fold.h"

namespace zumaro {

struct EntryReadings {
  TextView prefecture;            // folded
  TextView city;                  // folded
  TextView town;                  // folded
  bool prefectureInText = false;  // prefecture and city share the record's field
  // The written forms. The city's tells the part that may be left out
  // (folded or as the data writes it: they differ only in kana); the
  // three are compared, folded, only where the record holds written
  // characters.
  TextView writtenPrefecture{};
  TextView writtenCity{};
  TextView writtenTown{};
  bool recordWritten = false;  // the record holds written characters
};

struct Agreement {
  bool agrees = false;
  int used = 0;     // characters of the record's text used, skipped spaces and 大字 included
  int reached = 0;  // folded characters that agreed before the first difference, at most
  // Agreed only by a leap: passing over a 大字 or 字, or a prefecture the
  // layout did not expect, or going on without one it did, or without the
  // 郡 or designated city.
  bool passedOver = false;
  bool written = false;      // every part it took was written, none read
  bool cityLeftOut = false;  // agreed only without the 郡 or designated city
  // Folded characters before the town area, where the record's text agreed
  // through the city (-1: it did not).
  int townStart = -1;
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
