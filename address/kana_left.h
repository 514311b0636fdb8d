#pragma once
// Kana left behind: the record's text after the applied entry's readings
// that still begins with kana, a town area the entry does not name (a
// city's own code applied to ｵｳﾒｼｱｲ1-2, a shorter town agreeing with the
// head of a longer one). The conversion writes them as read; the report
// asks the user to look.
#include "text/text.h"

namespace zumaro {

// The kana (half-width or full-width katakana, hiragana) at the head of
// `remainder`, as written there; empty when it begins with anything else
// (digits, hyphens, a space, kanji) or with block words standing alone
// (ﾁﾖｳﾒ ﾊﾞﾝﾁ ﾊﾞﾝ ｺﾞｳ, ﾉ before a number, in any width or kana size).
Text kanaLeftBehind(TextView remainder);

}  // namespace zumaro
