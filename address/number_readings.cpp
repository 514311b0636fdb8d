#include "address/number_readings.h"

#include <array>

namespace zumaro {
namespace {

using Readings = std::array<std::vector<Text>, kNumbersReadOut>;

// The sounds a digit takes alone and before a counter (ｲｯ, ﾛｯ, ﾊｯ folded
// large); 0 only ever stands alone.
const std::array<std::vector<Text>, 10> kDigit = {{
    {u"ｾﾞﾛ", u"ﾚｲ"},
    {u"ｲﾁ", u"ｲﾂ"},
    {u"ﾆ"},
    {u"ｻﾝ"},
    {u"ﾖﾝ", u"ﾖ", u"ｼ"},
    {u"ｺﾞ"},
    {u"ﾛｸ", u"ﾛﾂ"},
    {u"ﾅﾅ", u"ｼﾁ"},
    {u"ﾊﾁ", u"ﾊﾂ"},
    {u"ｷﾕｳ", u"ｸ"},
}};
const std::vector<Text> kTen = {u"ｼﾞﾕｳ", u"ｼﾞﾕﾂ", u"ｼﾞﾂ"};

Readings buildReadings() {
  Readings readings;
  for (int n = 0; n < 10; ++n) readings[static_cast<size_t>(n)] = kDigit[static_cast<size_t>(n)];
  for (int n = 10; n < kNumbersReadOut; ++n) {
    const int tens = n / 10, ones = n % 10;
    std::vector<Text> heads;
    if (tens == 1) {
      heads = kTen;
    } else {
      for (const Text& t : kDigit[static_cast<size_t>(tens)])
        for (const Text& ten : kTen) heads.push_back(t + ten);
    }
    if (ones == 0) {
      readings[static_cast<size_t>(n)] = heads;
      continue;
    }
    // ｼﾞﾕﾂ and ｼﾞﾂ are 10 before a counter only, never before its ones.
    for (const Text& head : heads) {
      if (!head.ends_with(kTen[0])) continue;
      for (const Text& one : kDigit[static_cast<size_t>(ones)]) readings[static_cast<size_t>(n)].push_back(head + one);
    }
  }
  return readings;
}

}  // namespace

const std::vector<Text>& numberReadings(int n) {
  static const Readings readings = buildReadings();
  static const std::vector<Text> none;
  return n >= 0 && n < kNumbersReadOut ? readings[static_cast<size_t>(n)] : none;
}

int leadingNumber(TextView text, size_t& digits) {
  digits = 0;
  int value = 0;
  while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9') {
    if (digits == 6) return -1;
    value = value * 10 + (text[digits] - u'0');
    ++digits;
  }
  return digits == 0 ? -1 : value;
}

}  // namespace zumaro
