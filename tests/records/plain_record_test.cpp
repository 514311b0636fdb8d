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

std::string randomField(bench::Rng& rng, int quotedPercent) {
  std::string value;
  const int length = rng.percent(15) ? 0 : rng.percent(10) ? rng.between(41, 200) : rng.between(1, 40);
  for (int k = 0; k < length; ++k)
    value += rng.percent(97) ? rng.pick<char>({'a', '1', '\xB1', '-', ','}) : static_cast<char>(rng.below(256));
  const std::string quoted = rng.percent(quotedPercent) ? "\"" : "";
  return (rng.percent(3) ? " " : "") + quoted + value + quoted + (rng.percent(3) ? "x" : "");
}

std::string randomRecord(bench::Rng& rng, int fieldCount) {
  std::string record;
  const int quotedPercent = rng.pick<int>({0, 50, 90});
  for (int i = 0; i < fieldCount; ++i)
    record += randomField(rng, quotedPercent) + (i + 1 == fieldCount ? "" : rng.percent(97) ? "," : ";");
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

// Values that end or begin right at the edge of a 64-byte block.
TEST(PlainRecord, BlockEdgesSplitAsTheByteWalk) {
  const std::string tail = std::string(70, 'z') + "\n";  // more records, so that whole blocks are there
  const std::string pad(54, 'a');                        // a second value up to byte 62, a comma at 63
  const struct {
    std::string record;
    int fieldCount;
  } cases[] = {
      {"abcdefgh," + pad + ",a,aaaaaa\r\n", 3},  // a block's commas are its own, not those of the one before
      {"abcdefgh," + pad + ",a,aaaaaa\r\n", 4},
      {"\"" + std::string(61, 'a') + "\",b,c\r\n", 3},    // an unquoted value first in its block
      {"\"" + std::string(61, 'a') + "\",\"b\"\r\n", 2},  // the closing quote last in its block
      {"\"" + std::string(62, 'a') + "\"\r\n", 1},        // the line end first in the next block
      {std::string(63, 'a') + "\r\n", 1},                 // a CR last in a block, its LF first in the next
      {std::string(63, 'a') + ",\"b\r\n\",c\n", 2},        // a line end inside quotes in the next block
  };
  for (const auto& c : cases) {
    const std::string bytes = c.record + tail;
    std::vector<std::string_view> fast(static_cast<size_t>(c.fieldCount)), slow(fast.size());
    const char* end = bytes.data() + bytes.size();
    const size_t taken = splitPlainRecord(bytes.data(), end, c.fieldCount, fast.data());
    EXPECT_EQ(taken, splitPlainRecordByBytes(bytes.data(), end, c.fieldCount, slow.data()))
        << ::testing::PrintToString(c.record);
    if (taken != 0) EXPECT_EQ(fast, slow) << ::testing::PrintToString(c.record);
  }
}

}  // namespace
}  // namespace zumaro
