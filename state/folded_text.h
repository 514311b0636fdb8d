#pragma once
// A text in the folded view the readings are compared in (address/
// reading_fold.h makes it), with, for every folded character, the index of
// the character of the text it came from, so that a comparison in the view
// can say how much of the text itself it used.
#include <vector>

#include "state/text.h"

namespace zumaro {

class FoldedText {
 public:
  TextView view() const { return units_; }
  size_t size() const { return units_.size(); }
  // Whether the folded text may end after `at` folded characters without
  // splitting one character of the text (ガ folds to two).
  bool endsCharacter(size_t at) const { return at == units_.size() || at == 0 || from_[at] != from_[at - 1]; }
  // Characters of the text up to and including the one that gave the
  // folded character before `at`; 0 for at = 0.
  int textUsed(size_t at) const { return at == 0 ? 0 : from_[at - 1] + 1; }

  void clear() {
    units_.clear();
    from_.clear();
  }
  void replaceLast(char16_t unit) { units_.back() = unit; }
  void append(char16_t unit, int fromIndex) {
    units_.push_back(unit);
    from_.push_back(fromIndex);
  }

 private:
  Text units_;
  std::vector<int> from_;
};

}  // namespace zumaro
