#pragma once
// A text in the folded view the readings are compared in (address/
// reading_fold.h makes it), with, for every folded character, the index of
// the character of the text it came from, so that a comparison in the view
// can say how much of the text itself it used. Most texts fold character for
// character; the indexes are kept only once one does not.
#include <vector>

#include "text/text.h"

namespace zumaro {

class FoldedText {
 public:
  TextView view() const { return units_; }
  size_t size() const { return units_.size(); }
  // Whether the folded text may end after `at` folded characters without
  // splitting one character of the text (ガ folds to two).
  bool endsCharacter(size_t at) const {
    return oneToOne_ || at == units_.size() || at == 0 || from_[at] != from_[at - 1];
  }
  // Characters of the text up to and including the one that gave the
  // folded character before `at`; 0 for at = 0.
  int textUsed(size_t at) const {
    if (oneToOne_ || at == 0) return static_cast<int>(at);
    return from_[at - 1] + 1;
  }

  void clear() {
    units_.clear();
    from_.clear();
    oneToOne_ = true;
  }
  // A text that folds to itself.
  void assign(TextView text) {
    units_.assign(text);
    from_.clear();
    oneToOne_ = true;
  }
  void replaceLast(char16_t unit) { units_.back() = unit; }
  void append(char16_t unit, int fromIndex) {
    if (oneToOne_ && static_cast<size_t>(fromIndex) != units_.size()) {
      oneToOne_ = false;
      for (size_t i = 0; i < units_.size(); ++i) from_.push_back(static_cast<int>(i));
    }
    units_.push_back(unit);
    if (!oneToOne_) from_.push_back(fromIndex);
  }

 private:
  Text units_;
  std::vector<int> from_;  // kept once oneToOne_ is false
  bool oneToOne_ = true;   // every folded character comes from the text's character at the same index
};

}  // namespace zumaro
