// The walk over the bits of whole blocks against the walk byte by byte, on
// records of every field form, with every byte value inside, cut at every
// length near their end: same bytes taken, same fields, same refusals.
#include "records/plain_record.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "testing/rng.h"

namespace zumaro {
namespace {

std::string randomRecord(bench::Rng& rng, int fieldCount) {
  std::string record;
  const int quotedPercent = rng.pick<int>({0, 50, 90});
  for (int i = 0; i < fieldCount; ++i) {
    std::string value;
    const int length = rng.percent(15) ? 0 : rng.percent(10) ? rng.between(41, 200) : rng.between(1, 40);
    for (int k = 0; k < length; ++k)
      value += rng.percent(97) ? rng.pick<char>({'a', '1', '\xB1', '-', ','}) : static_cast<char>(rng.below(256));
    const std::string quote = rng.percent(quotedPercent) ? "\"" : "";
    record += (rng.percent(3) ? " " : "") + quote + value + quote + (rng.percent(3) ? "x" : "");
    record += i + 1 == fieldCount ? "" : rng.percent(97) ? "," : ";";
  }
  record += rng.pick<std::string>({"\n", "\r\n", "\r\n", "\r", ""});
  for (int more = rng.between(0, 1) * 12; more > 0; --more) record += "\"b\",c\n";
  return record;
}

// Each walk's bytes taken and fields as places in `bytes`. The bytes past
// `cut` are still there, as the record goes on: a walk that reads them
// takes what the other refuses.
using Split = std::vector<std::pair<ptrdiff_t, size_t>>;
std::pair<Split, Split> splits(const std::string& bytes, size_t cut, int fieldCount) {
  std::pair<Split, Split> both;
  for (const bool fast : {true, false}) {
    std::vector<std::string_view> fields(static_cast<size_t>(fieldCount));
    const auto split = fast ? splitPlainRecord : splitPlainRecordByBytes;
    const size_t taken = split(bytes.data(), bytes.data() + cut, fieldCount, fields.data());
    Split& places = fast ? both.first : both.second;
    places.emplace_back(0, taken);
    for (size_t i = 0; taken != 0 && i < fields.size(); ++i)
      places.emplace_back(fields[i].data() - bytes.data(), fields[i].size());
  }
  return both;
}

TEST(PlainRecord, BlockWalkSplitsAsTheByteWalk) {
  int taken = 0;
  for (uint64_t seed = 1; seed <= 3000 && !HasFailure(); ++seed) {
    bench::Rng rng(seed);
    const int fieldCount = rng.between(1, 12);
    const std::string record = randomRecord(rng, fieldCount);
    for (size_t cut = record.size() > 150 ? record.size() - 150 : 0; cut <= record.size(); ++cut) {
      const auto [fast, slow] = splits(record, cut, fieldCount);
      ASSERT_EQ(fast, slow) << "seed " << seed << ", cut " << cut << ": " << ::testing::PrintToString(record);
      taken += fast.size() > 1 ? 1 : 0;
    }
  }
  EXPECT_GT(taken, 1000);
}

// Values that end or begin right at the edge of a 64-byte block, followed
// by more records, so that whole blocks are there.
TEST(PlainRecord, BlockEdgesSplitAsTheByteWalk) {
  const std::string pad(54, 'a');  // a second value up to byte 62, a comma at 63
  const std::vector<std::pair<std::string, int>> cases = {
      {"abcdefgh," + pad + ",a,aaaaaa\r\n", 3},  // a block's commas are its own, not those of the one before
      {"abcdefgh," + pad + ",a,aaaaaa\r\n", 4},
      {"\"" + std::string(61, 'a') + "\",b,c\r\n", 3},    // an unquoted value first in its block
      {"\"" + std::string(61, 'a') + "\",\"b\"\r\n", 2},  // the closing quote last in its block
      {"\"" + std::string(62, 'a') + "\"\r\n", 1},        // the line end first in the next block
      {std::string(63, 'a') + "\r\n", 1},                 // a CR last in a block, its LF first in the next
      {std::string(63, 'a') + ",\"b\r\n\",c\n", 2},       // a line end inside quotes in the next block
  };
  for (const auto& [record, fieldCount] : cases) {
    const std::string bytes = record + std::string(70, 'z') + "\n";
    const auto [fast, slow] = splits(bytes, bytes.size(), fieldCount);
    EXPECT_EQ(fast, slow) << ::testing::PrintToString(record);
  }
}

}  // namespace
}  // namespace zumaro
