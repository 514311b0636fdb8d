#include "address/kana_left.h"

#include <array>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

// The words block_notation writes as 丁目 番地 番 号, in the folded view;
// ﾊﾞﾝﾁ before the ﾊﾞﾝ that begins it. ﾉ is one only before a number.
constexpr std::array<TextView, 4> kBlockWords{u"ﾁﾖｳﾒ", u"ﾊﾞﾝﾁ", u"ﾊﾞﾝ", u"ｺﾞｳ"};

bool isProlongedMark(char16_t c) { return c == u'ｰ' || c == u'ー'; }

bool isKana(char16_t c) {
  return (c >= u'ｦ' && c <= u'ﾟ') ||    // half-width katakana, voiced marks, ｰ
         (c >= u'ァ' && c <= u'ヺ') ||  // full-width katakana
         (c >= u'ー' && c <= u'ヾ') ||  // ー ヽ ヾ
         (c >= u'ぁ' && c <= u'ゖ') ||  // hiragana
         (c >= u'゛' && c <= u'ゞ');    // ゛ ゜ ゝ ゞ
}

bool isDigit(char16_t folded) { return folded >= u'0' && folded <= u'9'; }
bool isWrittenDigit(char16_t c) { return isDigit(c) || (c >= u'０' && c <= u'９'); }

// Whether the folded text from `at` is block words, one after another,
// followed by no kana of the text: ﾁﾖｳﾒ3 is a block, ﾊﾞﾝﾁﾖｳ a town.
bool blockWordsFrom(TextView text, const FoldedText& folded, size_t at) {
  if (at > 0 && !folded.endsCharacter(at)) return false;
  const auto next = static_cast<size_t>(folded.textUsed(at));
  if (at > 0 && (next == text.size() || !isKana(text[next]))) return true;
  const TextView ahead = folded.view().substr(at);
  if (ahead.size() >= 2 && ahead[0] == u'ﾉ' && isDigit(ahead[1]) && folded.endsCharacter(at + 1)) return true;
  for (const TextView word : kBlockWords)
    if (ahead.substr(0, word.size()) == word && blockWordsFrom(text, folded, at + word.size())) return true;
  return false;
}

}  // namespace

Text kanaLeftBehind(TextView remainder) {
  if (remainder.empty() || !isKana(remainder.front()) || isProlongedMark(remainder.front())) return {};
  FoldedText folded;
  foldText(remainder, folded);
  if (blockWordsFrom(remainder, folded, 0)) return {};
  size_t end = 1;
  // A prolonged mark belongs to the kana before it (ﾏｰｸ), unless a number
  // follows it: then it is the block's hyphen.
  while (end < remainder.size() && isKana(remainder[end]) &&
         !(isProlongedMark(remainder[end]) && end + 1 < remainder.size() && isWrittenDigit(remainder[end + 1])))
    ++end;
  return Text(remainder.substr(0, end));
}

}  // namespace zumaro
