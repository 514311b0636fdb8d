#pragma once
// The string conversions of the further fields, by a sum of conversion codes:
// 1 upper case, 2 lower case, 3 first letter of each word upper case,
// 4 half width to full width, 8 full width to half width,
// 16 hiragana to katakana, 32 katakana to hiragana.
#include "text/text.h"

namespace zumaro {

// A sum of one of {0,1,2,3}, one of {0,4,8} and one of {0,16,32}.
bool isValidConversionOption(int option);

// `option` must be valid; 0 returns the text unchanged.
Text convertString(TextView text, int option);
// The same conversion into `text` itself, reusing its storage.
void convertInPlace(Text& text, int option);

// The conversion the address comparison uses (code 4).
inline Text toFullWidth(TextView text) { return convertString(text, 4); }
// The same, appended to `out`: a voiced mark at the start of `text` does not
// join the last character `out` held before.
void appendFullWidth(Text& out, TextView text);

}  // namespace zumaro
