#include "records/header_row_guess.h"

#include <gtest/gtest.h>

#include <vector>

namespace zumaro {
namespace {

using Guess = HeaderRowGuess;

// The postal-code fields: the first record's, then `codes` readable ones
// with `unreadable` ones among them (at the end).
std::vector<Text> fields(const char16_t* first, int codes, int unreadable = 0) {
  std::vector<Text> out{first};
  for (int i = 0; i < codes; ++i) out.emplace_back(i % 2 ? u"231-0062" : u"〒１１２－００１３");
  for (int i = 0; i < unreadable; ++i) out.emplace_back(u"不明");
  return out;
}

TEST(HeaderRowGuess, FirstFieldWithoutADigitOverReadableCodes) {
  const struct {
    const char* name;
    std::vector<Text> fields;
    bool complete;
    Guess guess;
  } cases[] = {
      {"a title over ten codes", fields(u"郵便番号", 10), false, Guess::Header},
      {"more records than eleven count only the first", fields(u"郵便番号", 10, 5), false, Guess::Header},
      {"one of ten unreadable", fields(u"〒", 9, 1), false, Guess::Header},
      {"two of ten unreadable", fields(u"郵便番号", 8, 2), false, Guess::NotHeader},
      {"codes repaired count as read", {u"ZIP", u"10010", u"100010", u"231-0062"}, true, Guess::Header},
      {"an old code is no code the run reads", {u"ZIP", u"231-01", u"231-0062"}, true, Guess::NotHeader},
      {"a short list, all read", fields(u"郵便番号", 4), true, Guess::Header},
      {"a short list, one unreadable", fields(u"郵便番号", 4, 1), true, Guess::NotHeader},
      {"a short list still being read", fields(u"郵便番号", 4), false, Guess::Undecided},
      {"a short list, one unreadable, still being read", fields(u"郵便番号", 4, 1), false, Guess::Undecided},
      {"one record alone", fields(u"郵便番号", 0), true, Guess::NotHeader},
      {"no record", {}, true, Guess::NotHeader},
      {"no record yet", {}, false, Guess::Undecided},
      {"a first field with a digit", fields(u"郵便番号1", 10), false, Guess::NotHeader},
      {"a first field with a full-width digit", fields(u"〒１", 10), false, Guess::NotHeader},
      {"the first record's code", fields(u"231-0062", 10), false, Guess::NotHeader},
      {"an empty first field", fields(u"", 10), false, Guess::NotHeader},
      {"a blank first field", fields(u" \u3000", 10), false, Guess::NotHeader},
      {"text under the title", {u"名前", u"ﾔﾏﾀﾞ", u"ｻﾄｳ"}, true, Guess::NotHeader},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(guessHeaderRow(c.fields, c.complete), c.guess);
    EXPECT_EQ(looksLikeHeaderRow(c.fields), guessHeaderRow(c.fields, true) == Guess::Header);
  }
}

// The guess read record by record never contradicts the guess over all.
TEST(HeaderRowGuess, ADecisionOnTheWayStands) {
  const std::vector<Text> lists[] = {fields(u"郵便番号", 12),   fields(u"郵便番号", 9, 2), fields(u"郵便番号", 3),
                                     fields(u"郵便番号", 6, 1), fields(u"1", 12),          fields(u"郵便番号", 10, 1)};
  for (const auto& list : lists) {
    const Guess whole = guessHeaderRow(list, true);
    for (size_t n = 0; n <= list.size(); ++n) {
      const std::span<const Text> read(list.data(), n);
      const Guess onTheWay = guessHeaderRow(read, n == list.size());
      if (onTheWay != Guess::Undecided) {
        EXPECT_EQ(onTheWay, whole) << toUtf8(list[0]) << " after " << n;
      }
    }
    EXPECT_NE(whole, Guess::Undecided);
  }
}

}  // namespace
}  // namespace zumaro
