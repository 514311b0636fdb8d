#include "records/read_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace zumaro {
namespace {

// Reads `chunks` in turn, dropping `drop` bytes from the front before each.
std::string afterReads(const std::vector<std::string>& chunks, size_t drop) {
  ReadBuffer buffer;
  for (const std::string& chunk : chunks) {
    buffer.dropFront(std::min(drop, buffer.size()));
    std::memcpy(buffer.roomFor(chunk.size() + 7), chunk.data(), chunk.size());
    buffer.keep(chunk.size());
  }
  return std::string(buffer.view());
}

TEST(ReadBuffer, KeepsWhatWasReadThroughGrowthAndDrops) {
  const std::string big(100'000, 'x');
  const struct {
    const char* name;
    std::vector<std::string> chunks;
    size_t drop;
    std::string expected;
  } cases[] = {
      {"nothing read", {}, 0, ""},
      {"one read", {"abc"}, 0, "abc"},
      {"reads append", {"abc", "de", "", "f"}, 0, "abcdef"},
      {"growth keeps the bytes before", {"ab", big, "cd"}, 0, "ab" + big + "cd"},
      {"drops move the rest to the front", {"abcd", "ef", "gh"}, 2, "efgh"},
      {"a drop of everything", {"abc", "de"}, 5, "de"},
  };
  for (const auto& c : cases) EXPECT_EQ(afterReads(c.chunks, c.drop), c.expected) << c.name;
}

}  // namespace
}  // namespace zumaro
