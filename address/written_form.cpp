#include "address/written_form.h"

#include <algorithm>

namespace zumaro {
namespace {

constexpr TextView kKanjiDigits = u"〇一二三四五六七八九";

int kanjiDigit(char16_t c) {
  const size_t at = kKanjiDigits.find(c);
  return at == TextView::npos ? -1 : static_cast<int>(at);
}

bool isNumeral(char16_t c) { return (c >= u'0' && c <= u'9') || kanjiDigit(c) >= 0 || c == u'十' || c == u'百'; }

// The value of the numeral run at the head of `text` and its length: digits
// place by place (一〇, 10), or with 十 and 百 as they are spoken (二十三).
// A run keeps to one kind, digits or kanji: in 北一1-2 the block follows
// the town's 一.
long numeralAt(TextView text, size_t& length) {
  const bool digits = text[0] <= u'9';
  length = 0;
  while (length < text.size() && length < 9 && isNumeral(text[length]) && (text[length] <= u'9') == digits) ++length;
  long total = 0, place = 0;
  bool spoken = false;
  for (size_t i = 0; i < length; ++i) {
    const char16_t c = text[i];
    const long unit = c == u'十' ? 10 : c == u'百' ? 100 : 0;
    if (unit != 0) {
      total += (place == 0 ? 1 : place) * unit;
      place = 0;
      spoken = true;
    } else {
      const int digit = c <= u'9' ? c - u'0' : kanjiDigit(c);
      place = spoken ? digit : place * 10 + digit;
    }
  }
  return total + place;
}

// ヶ folds to ｹ and ヵ to ｶ; the data writes ケ (ｹ).
bool alikeUnits(char16_t written, char16_t record) {
  if (written == record) return true;
  if (written == u'ｹ') return record == u'ｶ';
  if (written == u'ﾉ') return record == u'之';
  if (written == u'之') return record == u'ﾉ';
  return false;
}

}  // namespace

long leadingNumeral(TextView text, size_t& length) {
  length = 0;
  if (text.empty() || !isNumeral(text[0])) return -1;
  return numeralAt(text, length);
}

// Asked of every record: the whole text without an early exit, so that the
// loop is vectorised; a text of half-width kana and ASCII is let go at once.
bool holdsWrittenCharacters(TextView folded) {
  unsigned wide = 0;
  for (char16_t c : folded) wide |= static_cast<unsigned>(c >= 0x3005 && c < 0xFF00);
  if (wide == 0) return false;
  return std::any_of(folded.begin(), folded.end(), [](char16_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == u'々' || c == u'〆' || c == u'〇';
  });
}

bool holdsNumeral(TextView written) {
  return std::any_of(written.begin(), written.end(),
                     [](char16_t c) { return isNumeral(c) || (c >= u'０' && c <= u'９'); });
}

size_t agreeWritten(TextView record, size_t at, TextView written, size_t& furthest) {
  size_t w = 0;
  while (w < written.size()) {
    furthest = std::max(furthest, at);
    if (at >= record.size()) return TextView::npos;
    if (isNumeral(written[w]) && isNumeral(record[at])) {
      size_t writtenLength = 0, recordLength = 0;
      if (numeralAt(written.substr(w), writtenLength) != numeralAt(record.substr(at), recordLength))
        return TextView::npos;
      w += writtenLength;
      at += recordLength;
      continue;
    }
    if (!alikeUnits(written[w], record[at])) return TextView::npos;
    ++w;
    ++at;
  }
  furthest = std::max(furthest, at);
  return at;
}

}  // namespace zumaro
