#include "run/written_agreement.h"

#include <algorithm>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

constexpr TextView kNumerals = u"〇一二三四五六七八九";

char16_t asDigit(char16_t c) {
  const size_t value = kNumerals.find(c);
  return value == TextView::npos ? c : static_cast<char16_t>(u'0' + value);
}

}  // namespace

bool holdsKanji(TextView text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == u'々' || c == u'〆' || c == u'〇';
  });
}

size_t writtenAgreement(TextView text, TextView written) {
  FoldedText folded;
  foldText(text, folded);
  Text entry;
  foldReading(written, entry);
  const TextView view = folded.view();
  size_t at = 0;
  while (at < view.size() && at < entry.size() && asDigit(view[at]) == asDigit(entry[at])) ++at;
  // Not inside a character that folds to two (ガ to ｶﾞ).
  while (!folded.endsCharacter(at)) --at;
  return static_cast<size_t>(folded.textUsed(at));
}

}  // namespace zumaro
