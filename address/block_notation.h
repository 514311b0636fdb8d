#pragma once
// How the rest of the address behind the matched readings (block and house
// numbers, mostly) is written into the output.
#include "state/record_match.h"
#include "text/text.h"

namespace zumaro {

// FullWidth: the text in full width, as the old system wrote it. Written:
// also as addresses are written by hand: a hyphen or prolonged sound mark
// between numbers as －, ﾁﾖｳﾒ ﾊﾞﾝﾁ ﾊﾞﾝ ｺﾞｳ after a number as 丁目 番地 番 号
// (in any width, kana size or script), ﾉ between numbers as の.
Text writtenRemainder(TextView rest, BlockStyle style);
// The same, appended to `out`.
void appendWrittenRemainder(Text& out, TextView rest, BlockStyle style);

}  // namespace zumaro
