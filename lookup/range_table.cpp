#include "lookup/range_table.h"

#include <array>

namespace zumaro {
namespace {

constexpr std::array<PostalRange, 24> kRanges{{
    {u"", u""},
    {u"0010000", u"0389999"}, {u"0390000", u"0799999"}, {u"0800000", u"1319999"},
    {u"1320000", u"2569999"}, {u"2570000", u"3119999"}, {u"3120000", u"3699999"},
    {u"3700000", u"4179999"}, {u"4180000", u"4619999"}, {u"4620000", u"5019999"},
    {u"5020000", u"5269999"}, {u"5270000", u"6019999"}, {u"6020000", u"6299999"},
    {u"6300000", u"6689999"}, {u"6690000", u"6999999"}, {u"7000000", u"7469999"},
    {u"7470000", u"7909999"}, {u"7910000", u"8409999"}, {u"8410000", u"8769999"},
    {u"8770000", u"9169999"}, {u"9170000", u"9389999"}, {u"9390000", u"9589999"},
    {u"9590000", u"9819999"}, {u"9820000", u"9999999"},
}};

}  // namespace

const PostalRange& postalRange(int k) { return kRanges[static_cast<size_t>(k)]; }

int dataFileFor(TextView key) {
  for (int k = 1; k <= 23; ++k) {
    const PostalRange& r = kRanges[static_cast<size_t>(k)];
    if (!textLess(key, r.lower) && !textGreater(key, r.upper)) return k;
  }
  return 0;
}

}  // namespace zumaro
