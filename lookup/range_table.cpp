#include "lookup/range_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zumaro {
namespace {

constexpr std::array<PostalRange, 24> kRanges{{
    {u"", u""},
    {u"0010000", u"0389999"},
    {u"0390000", u"0799999"},
    {u"0800000", u"1319999"},
    {u"1320000", u"2569999"},
    {u"2570000", u"3119999"},
    {u"3120000", u"3699999"},
    {u"3700000", u"4179999"},
    {u"4180000", u"4619999"},
    {u"4620000", u"5019999"},
    {u"5020000", u"5269999"},
    {u"5270000", u"6019999"},
    {u"6020000", u"6299999"},
    {u"6300000", u"6689999"},
    {u"6690000", u"6999999"},
    {u"7000000", u"7469999"},
    {u"7470000", u"7909999"},
    {u"7910000", u"8409999"},
    {u"8410000", u"8769999"},
    {u"8770000", u"9169999"},
    {u"9170000", u"9389999"},
    {u"9390000", u"9589999"},
    {u"9590000", u"9819999"},
    {u"9820000", u"9999999"},
}};

// The same bounds with their lengths counted once, at compile time.
struct RangeBounds {
  TextView lower, upper;
};

constexpr std::array<RangeBounds, 24> boundsOf(const std::array<PostalRange, 24>& ranges) {
  std::array<RangeBounds, 24> bounds{};
  for (size_t k = 0; k < ranges.size(); ++k) bounds[k] = {ranges[k].lower, ranges[k].upper};
  return bounds;
}

constexpr std::array<RangeBounds, 24> kBounds = boundsOf(kRanges);

// The bounds as numbers, for the keys of seven digits that nearly every
// search brings; every bound has seven digits.
struct NumberBounds {
  int32_t lower, upper;
};

constexpr std::array<NumberBounds, 24> numberBoundsOf(const std::array<PostalRange, 24>& ranges) {
  std::array<NumberBounds, 24> bounds{};
  for (size_t k = 1; k < ranges.size(); ++k)
    bounds[k] = {sevenDigitNumber(ranges[k].lower), sevenDigitNumber(ranges[k].upper)};
  return bounds;
}

constexpr std::array<NumberBounds, 24> kNumberBounds = numberBoundsOf(kRanges);

// Every range starts and ends on a whole ten thousand, so the first three
// digits name the file: one read instead of a count over the bounds.
constexpr int32_t kPerBlock = 10000;
constexpr int32_t kBlocks = 1000;

constexpr bool boundsOnBlocks() {
  for (size_t k = 1; k < kNumberBounds.size(); ++k)
    if (kNumberBounds[k].lower % kPerBlock != 0 || kNumberBounds[k].upper % kPerBlock != kPerBlock - 1) return false;
  return true;
}
static_assert(boundsOnBlocks());

constexpr std::array<uint8_t, kBlocks> fileOfBlocks() {
  std::array<uint8_t, kBlocks> files{};
  for (size_t k = 1; k < kNumberBounds.size(); ++k)
    for (int32_t b = kNumberBounds[k].lower / kPerBlock; b <= kNumberBounds[k].upper / kPerBlock; ++b)
      files[static_cast<size_t>(b)] = static_cast<uint8_t>(k);
  return files;
}

constexpr std::array<uint8_t, kBlocks> kFileOfBlock = fileOfBlocks();

}  // namespace

int dataFileForNumber(int32_t n) {
  return n >= 0 && n < kBlocks * kPerBlock ? kFileOfBlock[static_cast<size_t>(n / kPerBlock)] : 0;
}

const PostalRange& postalRange(int k) { return kRanges[static_cast<size_t>(k)]; }

int dataFileFor(TextView key) {
  const int32_t number = sevenDigitNumber(key);
  if (number >= 0) return dataFileForNumber(number);
  // The ranges ascend and do not overlap: the only range that can hold the
  // key is the last one whose lower bound is not greater than it.
  const auto first = kBounds.begin() + 1;
  const auto after = std::upper_bound(first, kBounds.end(), key,
                                      [](TextView k, const RangeBounds& r) { return textLess(k, r.lower); });
  if (after == first) return 0;
  const RangeBounds& r = *(after - 1);
  return textGreater(key, r.upper) ? 0 : static_cast<int>(after - 1 - kBounds.begin());
}

}  // namespace zumaro
