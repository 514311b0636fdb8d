#pragma once
// A record's address compared with the postal data's written form, for lists
// keyed in kanji: both in the folded view, numbers alike whatever they are
// written in (北一条東, 北１条東 and 北1条東 are one name), ケ ヶ ヵ alike and
// ノ 之 alike, as people write them either way (牛ケ谷, 牛ヶ谷).
#include "text/text.h"

namespace zumaro {

// Whether the folded text holds a character only a written address has
// (a kanji or 々): only such a text is compared with written forms.
bool holdsWrittenCharacters(TextView folded);

// Whether `written` holds a numeral: digits or 〇一二三四五六七八九十百.
bool holdsNumeral(TextView written);

// The value of the numeral (digits, or kanji as written or spoken: 一〇,
// 二十三) at the head of `text`, its length in `length`; -1 for none.
long leadingNumeral(TextView text, size_t& length);

// Compares `written` (folded) with `record` (folded) from `at`: the end of
// the agreement in the record, or npos where they differ. `furthest` grows
// to the furthest record position that agreed.
size_t agreeWritten(TextView record, size_t at, TextView written, size_t& furthest);

}  // namespace zumaro
