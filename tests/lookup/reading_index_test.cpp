#include "lookup/reading_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "address/reading_fold.h"

namespace zumaro {
namespace {

DataEntry entry(const char* pref, const char* city, const char* town, const char* prefReading, const char* cityReading,
                const char* townReading, const char* company = "") {
  DataEntry e;
  e[1] = fromUtf8(pref);
  e[2] = fromUtf8(city);
  e[3] = fromUtf8(town);
  e[5] = fromUtf8(company);
  e[6] = fromUtf8(prefReading);
  e[7] = fromUtf8(cityReading);
  e[8] = fromUtf8(townReading);
  return e;
}

class ReadingIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    index.add(u"1310000", viewOf(entry("東京都", "緑区", "", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "")));
    index.add(u"1310045", viewOf(entry("東京都", "緑区", "本町", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁ")));
    index.add(u"1310046", viewOf(entry("東京都", "緑区", "本町東", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁﾋｶﾞｼ")));
    index.add(u"1310047", viewOf(entry("東京都", "緑区", "川原", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｶﾜﾗ")));
    index.add(u"1310048", viewOf(entry("東京都", "緑区", "河原", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ｶﾜﾗ")));
    index.add(u"3300001", viewOf(entry("埼玉県", "緑区", "本町", "ｻｲﾀﾏｹﾝ", "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁ")));
    index.add(u"1319999", viewOf(entry("東京都", "緑区", "本町東１", "ﾄｳｷﾖｳﾄ", "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁﾋｶﾞｼ", "緑商事")));
    index.finish();
  }

  std::vector<std::string> codesFor(const char* text, const char* prefectureReading = "") {
    FoldedText folded;
    foldText(fromUtf8(text), folded);
    const Text pref = fromUtf8(prefectureReading);
    std::vector<std::string> codes;
    for (const IndexedEntry* found : index.longestWholeReading(
             folded, [&](const IndexedEntry& e) { return pref.empty() || e.prefectureReading == pref; }))
      codes.push_back(toUtf8(found->postalCode));
    return codes;
  }

  ReadingIndex index;
};

using Codes = std::vector<std::string>;

TEST_F(ReadingIndexTest, LongestWholeReadingWins) {
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸﾎﾝﾏﾁﾋｶﾞｼ1-2", "ﾄｳｷﾖｳﾄ"), Codes{"1310046"});
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2", "ﾄｳｷﾖｳﾄ"), Codes{"1310045"});
  // Nothing but the city agrees whole: the city's own entry.
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸﾎﾝ1", "ﾄｳｷﾖｳﾄ"), Codes{"1310000"});
}

TEST_F(ReadingIndexTest, TextThatBeginsWithNoWholeReadingFindsNothing) {
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘ1"), Codes{});
  EXPECT_EQ(codesFor(""), Codes{});
  EXPECT_EQ(codesFor("ｱｵﾊﾞｸﾎﾝﾏﾁ"), Codes{});
}

TEST_F(ReadingIndexTest, ReadingWithThePrefectureIsFoundToo) {
  EXPECT_EQ(codesFor("ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾏﾁ3"), Codes{"1310045"});
  EXPECT_EQ(codesFor("ｻｲﾀﾏｹﾝﾐﾄﾞﾘｸﾎﾝﾏﾁ3"), Codes{"3300001"});
}

TEST_F(ReadingIndexTest, TheFilterKeepsThePrefectureAndEqualReadingsComeInFileOrder) {
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸﾎﾝﾏﾁ3", "ｻｲﾀﾏｹﾝ"), Codes{"3300001"});
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸﾎﾝﾏﾁ3"), (Codes{"1310045", "3300001"}));
  EXPECT_EQ(codesFor("ﾐﾄﾞﾘｸｶﾜﾗ8"), (Codes{"1310047", "1310048"}));
}

TEST_F(ReadingIndexTest, FoldedTextAgreesAsTheComparisonDoes) {
  // Small kana, full-width katakana, hiragana and spaces fold away.
  EXPECT_EQ(codesFor("みどりく ほんまちひがし2", "ﾄｳｷﾖｳﾄ"), Codes{"1310046"});
  EXPECT_EQ(codesFor("ミドリク　ホンマチ", "ﾄｳｷﾖｳﾄ"), Codes{"1310045"});
}

TEST_F(ReadingIndexTest, BusinessEntriesAreNotSearchedByReading) {
  for (const std::string& code : codesFor("ﾐﾄﾞﾘｸﾎﾝﾏﾁﾋｶﾞｼ1")) EXPECT_NE(code, "1319999");
}

}  // namespace
}  // namespace zumaro
