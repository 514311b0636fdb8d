#pragma once
// How numbers are read out in kana, in the folded view the readings are
// compared in (large kana, ﾁﾞ as ｼﾞ): 3 as ｻﾝ, 10 as ｼﾞﾕｳ ｼﾞﾕﾂ ｼﾞﾂ, 23 as
// ﾆｼﾞﾕｳｻﾝ. Japan Post writes the numbers of most town names in digits
// (ﾊﾙﾐ3ｼﾞｮｳｷﾀ); people read them out, and the other way round.
#include <vector>

#include "text/text.h"

namespace zumaro {

constexpr int kNumbersReadOut = 100;  // 0 .. 99

// The readings of `n` (0 .. 99); empty beyond.
const std::vector<Text>& numberReadings(int n);

// The value of the run of ASCII digits at the head of `text`, and its length
// in `digits`; -1 when it does not begin with one or is too long to matter.
int leadingNumber(TextView text, size_t& digits);

}  // namespace zumaro
