#include "address/block_notation.h"

#include <array>
#include <utility>

#include "address/reading_fold.h"
#include "address/string_conversion.h"

namespace zumaro {
namespace {

constexpr std::array<std::pair<TextView, TextView>, 4> kBlockWords{{
    {u"ﾁﾖｳﾒ", u"丁目"},
    {u"ﾊﾞﾝﾁ", u"番地"},  // before ﾊﾞﾝ, which begins it
    {u"ﾊﾞﾝ", u"番"},
    {u"ｺﾞｳ", u"号"},
}};

bool isHyphen(char16_t c) {
  switch (c) {
    case u'-':
    case u'ｰ':
    case u'ー':
    case u'‐':
    case u'−':
    case u'–':
    case u'－':
      return true;
    default:
      return false;
  }
}

bool isDigit(char16_t folded) { return folded >= u'0' && folded <= u'9'; }

class BlockWriter {
 public:
  explicit BlockWriter(TextView rest) : rest_(rest) { foldText(rest, folded_); }

  Text write() {
    while (i_ < rest_.size()) {
      if (!writeBlockWord() && !writeBetweenNumbers()) keep();
    }
    flushKept();
    return std::move(out_);
  }

 private:
  // The folded position of the text's character i_, or the folded size for a
  // space (which folds to nothing).
  size_t foldedAt() const {
    size_t j = 0;
    while (j < folded_.size() && folded_.textUsed(j + 1) <= static_cast<int>(i_)) ++j;
    return j;
  }
  bool nextIsDigit(size_t afterText) const {
    return afterText < rest_.size() && !isSpace(rest_[afterText]) && isDigit(foldedChar(afterText));
  }
  char16_t foldedChar(size_t textIndex) const {
    Text one;
    foldReading(rest_.substr(textIndex, 1), one);
    return one.empty() ? u'\0' : one[0];
  }

  bool writeBlockWord() {
    if (!afterDigit_ || isSpace(rest_[i_])) return false;
    const size_t j = foldedAt();
    const TextView ahead = folded_.view().substr(j);
    for (const auto& [word, kanji] : kBlockWords) {
      if (ahead.substr(0, word.size()) != word || !folded_.endsCharacter(j + word.size())) continue;
      emit(kanji, static_cast<size_t>(folded_.textUsed(j + word.size())));
      return true;
    }
    return false;
  }

  bool writeBetweenNumbers() {
    if (!afterDigit_ || !nextIsDigit(i_ + 1)) return false;
    if (isHyphen(rest_[i_])) {
      emit(u"－", i_ + 1);
      return true;
    }
    if (foldedChar(i_) == u'ﾉ') {
      emit(u"の", i_ + 1);
      return true;
    }
    return false;
  }

  void emit(TextView written, size_t nextText) {
    flushKept();
    out_.append(written);
    i_ = nextText;
    afterDigit_ = false;
  }

  void keep() {
    afterDigit_ = !isSpace(rest_[i_]) && isDigit(foldedChar(i_));
    kept_.push_back(rest_[i_++]);
  }

  // Kept characters are widened as a run, so that ｶﾞ becomes one ガ.
  void flushKept() {
    out_.append(toFullWidth(kept_));
    kept_.clear();
  }

  TextView rest_;
  FoldedText folded_;
  size_t i_ = 0;
  bool afterDigit_ = false;
  Text kept_;
  Text out_;
};

}  // namespace

Text writtenRemainder(TextView rest, BlockStyle style) {
  Text out;
  appendWrittenRemainder(out, rest, style);
  return out;
}

void appendWrittenRemainder(Text& out, TextView rest, BlockStyle style) {
  if (style == BlockStyle::FullWidth || rest.empty()) {
    appendFullWidth(out, rest);
  } else {
    out.append(BlockWriter(rest).write());
  }
}

}  // namespace zumaro
