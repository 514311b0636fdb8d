#include "lookup/postal_key_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lookup/range_table.h"
#include "testing/rng.h"

namespace zumaro {
namespace {

std::vector<Text> sevenDigits(const std::vector<int32_t>& numbers) {
  std::vector<Text> keys;
  for (const int32_t n : numbers) {
    const std::string digits = std::to_string(n);
    keys.push_back(fromUtf8(std::string(7 - digits.size(), '0') + digits));
  }
  return keys;
}

PostalKeyTable tableOf(const std::vector<Text>& keys) {
  std::vector<int32_t> numbers;
  for (const Text& key : keys) numbers.push_back(sevenDigitNumber(key));
  PostalKeyTable table;
  table.build(numbers);
  return table;
}

// Runs of equal codes among neighbours, so that codes crowd the same slots.
TEST(PostalKeyTable, FindsEveryCodesRunAndNothingElse) {
  bench::Rng rng(11);
  for (const int32_t spread : {3, 40, 5000, 9999999}) {
    std::vector<int32_t> numbers;
    for (int i = rng.between(1, 3000); i > 0; --i) numbers.push_back(static_cast<int32_t>(rng.below(spread)));
    std::sort(numbers.begin(), numbers.end());
    const PostalKeyTable table = tableOf(sevenDigits(numbers));
    ASSERT_FALSE(table.empty());
    std::vector<int32_t> probes = numbers;
    for (int32_t n = -1; n <= std::min(spread, 20000); ++n) probes.push_back(n);
    for (const int32_t n : probes) {
      const auto lower = std::lower_bound(numbers.begin(), numbers.end(), n);
      const auto upper = std::upper_bound(numbers.begin(), numbers.end(), n);
      const PostalKeyTable::Run run = table.find(n);
      ASSERT_EQ(run.count, static_cast<size_t>(upper - lower)) << "spread " << spread << ", code " << n;
      if (run.count > 0) {
        ASSERT_EQ(run.first, static_cast<size_t>(lower - numbers.begin())) << n;
      }
    }
  }
}

TEST(PostalKeyTable, StaysEmptyWhereItCannotServe) {
  const std::vector<std::vector<Text>> files = {
      {},
      {u"1234567", u"123456"},
      {u"1234567", u"12345678"},
      {u"123456A"},
      {u"１２３４５６７"},
      std::vector<Text>(65536, u"1234567"),  // more entries of one code than a slot counts
  };
  for (const std::vector<Text>& keys : files) {
    const PostalKeyTable table = tableOf(keys);
    EXPECT_TRUE(table.empty()) << keys.size() << " keys";
    EXPECT_EQ(table.find(1234567).count, 0u);
  }
  EXPECT_EQ(tableOf(std::vector<Text>(65535, u"1234567")).find(1234567).count, 65535u);
}

}  // namespace
}  // namespace zumaro
