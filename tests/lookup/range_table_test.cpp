#include "lookup/range_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zumaro {
namespace {

// The upper bound of each data file's range, written out independently of
// the table in the code; each lower bound is the previous upper bound + 1.
const std::vector<std::string> kUpper = {"0389999", "0799999", "1319999", "2569999", "3119999", "3699999",
                                         "4179999", "4619999", "5019999", "5269999", "6019999", "6299999",
                                         "6689999", "6999999", "7469999", "7909999", "8409999", "8769999",
                                         "9169999", "9389999", "9589999", "9819999", "9999999"};

std::string plusOne(const std::string& digits) {
  std::string next = std::to_string(std::stoi(digits) + 1);
  return std::string(7 - next.size(), '0') + next;
}

TEST(DataFileFor, EveryBoundBelongsToItsOwnFile) {
  std::string lower = "0010000";
  for (int k = 1; k <= 23; ++k) {
    const std::string& upper = kUpper[static_cast<size_t>(k - 1)];
    SCOPED_TRACE("file " + std::to_string(k) + " " + lower + ".." + upper);
    EXPECT_EQ(dataFileFor(fromUtf8(lower)), k);
    EXPECT_EQ(dataFileFor(fromUtf8(upper)), k);
    if (k < 23) lower = plusOne(upper);
  }
  EXPECT_EQ(dataFileFor(u"0389999"), 1);
  EXPECT_EQ(dataFileFor(u"0390000"), 2);
  EXPECT_EQ(dataFileFor(u"5555555"), 11);
}

TEST(DataFileFor, KeysOfOtherLengthsFallByCharacterOrder) {
  // Proper prefixes of an upper bound sort below it.
  EXPECT_EQ(dataFileFor(u"0800000"), 3);
  EXPECT_EQ(dataFileFor(u"1319999"), 3);
  EXPECT_EQ(dataFileFor(u"13199"), 3);
  EXPECT_EQ(dataFileFor(u"131"), 3);
  EXPECT_EQ(dataFileFor(u"13"), 3);
  // Proper prefixes of a lower bound fall into the gap before it.
  EXPECT_EQ(dataFileFor(u"132"), 0);
  EXPECT_EQ(dataFileFor(u"1320"), 0);
  EXPECT_EQ(dataFileFor(u"13200"), 0);
  // An upper bound with one more digit lies between two ranges.
  EXPECT_EQ(dataFileFor(u"03899990"), 0);
  EXPECT_EQ(dataFileFor(u"99999990"), 0);
  // A longer key inside a range still belongs to it.
  EXPECT_EQ(dataFileFor(u"13199990"), 0);
  EXPECT_EQ(dataFileFor(u"13100000"), 3);
}

TEST(DataFileFor, KeysOutsideEveryRangeSelectNothing) {
  for (const Text& key : {Text(u"0009999"), Text(u"0"), Text(u""), Text(u"001"), Text(u" 1319999"), Text(u"-1319999"),
                          Text(u"A131999"), Text(u"１３１９９９９"), Text(u"〒1319999")}) {
    EXPECT_EQ(dataFileFor(key), 0) << toUtf8(key);
  }
  // '-' sorts below the digits, so keys with a hyphen left in can still fit.
  EXPECT_EQ(dataFileFor(u"131-9999"), 3);
  EXPECT_EQ(dataFileFor(u"13-19999"), 3);
}

// Every key of seven digits (in steps, and beside every bound) falls as the
// rule in character-code order places it.
TEST(DataFileFor, SevenDigitKeysFallAsTheirTextsDo) {
  auto byText = [](const Text& key) {
    for (int k = 1; k <= 23; ++k)
      if (!textLess(key, postalRange(k).lower) && !textGreater(key, postalRange(k).upper)) return k;
    return 0;
  };
  std::vector<int> numbers;
  for (int n = 0; n <= 9999999; n += 997) numbers.push_back(n);
  for (int k = 1; k <= 23; ++k) {
    for (const char16_t* bound : {postalRange(k).lower, postalRange(k).upper}) {
      const int n = std::stoi(toUtf8(bound));
      for (int m : {n - 1, n, n + 1}) numbers.push_back(m);
    }
  }
  numbers.push_back(9999999);
  for (int n : numbers) {
    if (n < 0 || n > 9999999) continue;
    std::string digits(7, '0');
    const std::string number = std::to_string(n);
    digits.replace(7 - number.size(), number.size(), number);
    const Text key = fromUtf8(digits);
    EXPECT_EQ(dataFileFor(key), byText(key)) << toUtf8(key);
  }
}

}  // namespace
}  // namespace zumaro
