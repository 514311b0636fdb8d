#pragma once
// The folded view in which readings are compared: what a list may write in
// several ways is brought to the one way the postal data writes it. Small
// kana count as large, full-width katakana and hiragana as the half-width
// katakana they stand for, full-width letters and digits as ASCII, ﾁﾞ and ﾂﾞ
// as ｼﾞ and ｽﾞ, which sound alike; spaces, half or full width, are left out.
#include "state/folded_text.h"
#include "text/text.h"

namespace zumaro {

// Folds `text` into `out`, replacing what it held.
void foldText(TextView text, FoldedText& out);

// The folded form of a reading, without the mapping back, into `out`.
void foldReading(TextView text, Text& out);
// The folded form of a reading: `text` itself where folding changes nothing
// (as for the readings of the postal data), otherwise folded into `scratch`.
TextView foldedReading(TextView text, Text& scratch);
// Whether folding leaves `text` as it is.
bool foldsToItself(TextView text);

inline bool isSpace(char16_t c) { return c == u' ' || c == u'\u3000'; }

}  // namespace zumaro
