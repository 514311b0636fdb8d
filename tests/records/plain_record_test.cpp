// The walk over the bits of whole blocks against the walk byte by byte, on
// records of every field form, with every byte value inside, cut at every
// length near their end: same bytes taken, same fields, same refusals.
#include "records/plain_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/rng.h"

namespace zumaro {
namespace {

std::string randomField(bench::Rng& rng) {
  std::string value;
  const int length = rng.percent(15) ? 0 : rng.percent(10) ? rng.between(41, 200) : rng.between(1, 40);
  for (int k = 0; k < length; ++k)
    value += rng.percent(90) ? rng.pick<char>({'a', '1', '\xB1', '-'}) : static_cast<char>(rng.below(256));
  const std::string quoted = rng.percent(70) ? "\"" : "";
  return (rng.percent(3) ? " " : "") + quoted + value + quoted + (rng.percent(3) ? "x" : "");
}

std::string randomRecord(bench::Rng& rng, int fieldCount) {
  std::string record;
  for (int i = 0; i < fieldCount; ++i)
    record += randomField(rng) + (i + 1 == fieldCount ? "" : rng.percent(97) ? "," : ";");
  record += rng.pick<std::string>({"\n", "\r\n", "\r\n", "\r", ""});
  for (int more = rng.between(0, 1) * 12; more > 0; --more) record += "\"b\",c\n";
  return record;
}

TEST(PlainRecord, BlockWalkSplitsAsTheByteWalk) {
  int taken = 0;
  for (uint64_t seed = 1; seed <= 3000 && !HasFailure(); ++seed) {
    bench::Rng rng(seed);
    const int fieldCount = rng.between(1, 12);
    const std::string record = randomRecord(rng, fieldCount);
    for (size_t cut = record.size() > 150 ? record.size() - 150 : 0; cut <= record.size(); ++cut) {
      // The bytes past the cut are still there, as the record goes on: a walk
      // that reads them takes what the other refuses.
      const char* bytes = record.data();
      std::vector<std::string_view> fast(static_cast<size_t>(fieldCount)), slow(fast.size());
      const size_t n = splitPlainRecord(bytes, bytes + cut, fieldCount, fast.data());
      ASSERT_EQ(n, splitPlainRecordByBytes(bytes, bytes + cut, fieldCount, slow.data()))
          << "seed " << seed << ", cut " << cut << ": " << ::testing::PrintToString(record);
      if (n == 0) continue;
      ++taken;
      for (size_t i = 0; i < fast.size(); ++i)
        ASSERT_TRUE(fast[i].data() == slow[i].data() && fast[i].size() == slow[i].size())
            << "seed " << seed << ", cut " << cut << ", field " << i << " at " << fast[i].data() - bytes << "+"
            << fast[i].size() << ", not " << slow[i].data() - bytes << "+" << slow[i].size();
    }
  }
  EXPECT_GT(taken, 1000);
}

}  // namespace
}  // namespace zumaro
