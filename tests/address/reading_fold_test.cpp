// A reading is taken as it stands exactly when folding would not change it,
// over random readings of the units that matter.
#include "address/reading_fold.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/rng.h"
#include "text/text.h"

namespace zumaro {
namespace {

TEST(ReadingFold, ReadingIsTakenAsItStandsExactlyWhenFoldingKeepsIt) {
  // Mostly units that never fold, so that long plain stretches are met,
  // with a few of every kind that does: small kana, ﾁﾞ and ﾂﾞ, spaces,
  // full-width forms, hiragana.
  const Text plain = u"ｱｶﾁﾂﾃﾞﾊﾟﾝｰ019-AZ";
  const Text folding = u"ｧｯ ﾞ\u3000ァあ１Ａ－";
  bench::Rng rng(11);
  int wrong = 0;
  for (int round = 0; round < 20000 && wrong < 5; ++round) {
    Text reading;
    const int length = static_cast<int>(rng.below(41));
    const bool allPlain = rng.percent(50);
    for (int i = 0; i < length; ++i) {
      const Text& from = allPlain || !rng.percent(5) ? plain : folding;
      reading.push_back(from[rng.below(from.size())]);
    }
    Text folded, scratch;
    foldReading(reading, folded);
    const bool keptAsItStands = foldedReading(reading, scratch).data() == reading.data();
    if (keptAsItStands != (folded == reading)) {
      ++wrong;
      ADD_FAILURE() << toUtf8(reading) << (keptAsItStands ? " taken as it stands" : " folded needlessly");
    }
  }
}

bool takenAsItStands(const Text& reading) {
  Text scratch;
  return foldedReading(reading, scratch).data() == reading.data();
}

// Every unit of the blocks readings are written in, and ﾁﾞ, at every place of
// readings of every length to a step and past it.
TEST(ReadingFold, EveryUnitAtEveryPlaceAroundTheSteps) {
  std::vector<Text> pieces = {u"ﾁﾞ", u"ﾂﾞ", u"ｼﾞ"};
  for (char16_t c = 0; c < 0x80; ++c) pieces.emplace_back(1, c);
  for (char16_t c = 0x3000; c < 0x3100; ++c) pieces.emplace_back(1, c);
  for (char16_t c = 0xFF00; c < 0xFFA0; ++c) pieces.emplace_back(1, c);
  for (size_t size : {1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 16, 17, 24}) {
    for (size_t at = 0; at < size; ++at) {
      for (const Text& piece : pieces) {
        Text reading = Text(u"ﾄｳｷﾖｳﾄﾁﾖﾀﾞｸ1-2ﾁﾖｳﾒABCｶﾞｲ").substr(0, size);
        reading.replace(at, piece.size(), piece);
        Text folded;
        foldReading(reading, folded);
        EXPECT_EQ(takenAsItStands(reading), folded == reading) << toUtf8(reading);
      }
    }
  }
}

}  // namespace
}  // namespace zumaro
