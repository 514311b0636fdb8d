#include "address/classic_comparison.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

class CompareAndApplyEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    s.settings.prefecturePosition = 3;
    s.settings.cityPosition = 4;
    s.settings.buildingPosition = 5;
    s.settings.companyPosition = 6;
  }

  // The record as prepareRecord leaves it: slots and their copies alike.
  void record(const Text& pref, const Text& city, const Text& bil = u"", const Text& co = u"") {
    s.recordField = {};
    s.recordField[s.settings.prefecturePosition] = s.prefectureField = pref;
    s.recordField[s.settings.cityPosition] = s.cityField = s.cityFieldAsRead = city;
    s.recordField[s.settings.buildingPosition] = s.buildingField = bil;
    s.recordField[s.settings.companyPosition] = s.companyField = co;
    s.entryApplied = false;
  }

  // columns 1..10 in file order.
  void entry(std::initializer_list<Text> fields) {
    s.entryColumn = {};
    size_t i = 1;
    for (const Text& f : fields) s.entryColumn[i++] = f;
  }

  // The worked example's entry, with its building and company fields.
  void midoriEntry(const Text& column4 = u"", const Text& column9 = u"", const Text& column10 = u"") {
    entry({u"東京都", u"緑区", u"本町", column4, u"", u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", column9, column10});
  }

  std::string at(int k) const { return toUtf8(s.recordField[static_cast<size_t>(k)]); }

  ConversionState s;
};

TEST_F(CompareAndApplyEntry, WritesPrefectureAndCityWithBlockInFullWidth) {
  s.settings.companyPosition = 0;
  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3");
  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "東京都");
  EXPECT_EQ(at(4), "緑区本町１－２－３");
  EXPECT_EQ(at(5), "");
  EXPECT_EQ(toUtf8(s.prefectureField), "ﾄｳｷﾖｳﾄ");
  EXPECT_TRUE(s.entryApplied);
}

TEST_F(CompareAndApplyEntry, KeyMustHeadTheCityText) {
  // Empty readings make an empty key: the whole city text is the remainder.
  record(u"ﾄｳｷﾖｳﾄ", u"ｱｲ1-2");
  entry({u"東京都", u"青梅市", u"", u"", u"", u"ﾄｳｷﾖｳﾄ", u"", u""});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "東京都");
  EXPECT_EQ(at(4), "青梅市アイ１－２");

  // A city text that equals the key leaves no remainder.
  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝ");
  entry({u"東京都", u"緑区", u"本", u"", u"", u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝ"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "緑区本");

  // Shorter than the key, or differing anywhere in it: no match, nothing written.
  for (const Text& city : {Text(u"ﾐﾄﾞﾘｸﾎ"), Text(u"ﾐﾄﾞﾘｸﾎﾞﾝ1"), Text(u"ﾐﾄﾘｸﾎﾝ1"), Text(u"ﾐﾄﾞﾘｸﾎﾝ")}) {
    record(u"ﾄｳｷﾖｳﾄ", city, u"", u"ｶｲｼﾔ");
    entry({u"東京都", u"緑区", u"本", u"", u"", u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝ1"});
    compareAndApplyEntry(s);
    EXPECT_EQ(at(3), "ﾄｳｷﾖｳﾄ") << toUtf8(city);
    EXPECT_EQ(toUtf8(s.recordField[4]), toUtf8(city));
    EXPECT_EQ(at(6), "ｶｲｼﾔ");
    EXPECT_FALSE(s.entryApplied);
  }

  // Without a city reading the town suffix is not normalised, so ﾏﾁ stays apart from ﾁﾖｳ.
  record(u"ﾄｳｷﾖｳﾄ", u"ﾎﾝﾁﾖｳ1");
  entry({u"東京都", u"", u"本町", u"", u"", u"ﾄｳｷﾖｳﾄ", u"", u"ﾎﾝﾏﾁ"});
  compareAndApplyEntry(s);
  EXPECT_FALSE(s.entryApplied);
  EXPECT_EQ(at(4), "ﾎﾝﾁﾖｳ1");
}

TEST_F(CompareAndApplyEntry, SharedPrefectureAndCityField) {
  s.settings.prefecturePosition = 4;
  record(u"ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3", u"ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3");
  s.recordField[3] = u"別の欄";
  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "東京都緑区本町１－２－３");
  EXPECT_EQ(at(3), "別の欄");

  // The key starts with the prefecture reading.
  record(u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1");
  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "ﾐﾄﾞﾘｸﾎﾝﾏﾁ1");
  EXPECT_FALSE(s.entryApplied);

  // With every reading empty, column1 leads the whole city text.
  record(u"ｱｲ1", u"ｱｲ1");
  entry({u"北海道", u"札幌市", u"中央区"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "北海道札幌市中央区アイ１");
}

TEST_F(CompareAndApplyEntry, BusinessEntryIsAppliedOnItsKeyAlone) {
  s.settings.positionOfFurtherField[1] = 7;
  s.settings.conversionOfFurtherField[1] = 1;
  record(u"ｵｵｻｶﾌ", u"ﾍﾞﾂﾉﾏﾁ9-9", u"ﾎﾝｶﾝ3ｶｲ", u"ｺﾞｳｼﾄﾞｳｼﾔ");
  s.recordField[7] = u"abc";
  entry(
      {u"東京都", u"千代田区", u"丸の内", u"", u"株式会社甲", u"ﾄｳｷﾖｳﾄ", u"ﾁﾖﾀﾞｸ", u"ﾏﾙﾉｳﾁ", u"ﾎﾝｼﾔ", u"ｶﾌﾞｼｷｶﾞｲｼﾔｺｳ"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "東京都");
  EXPECT_EQ(at(4), "千代田区丸の内") << "block numbers are dropped";
  EXPECT_EQ(at(5), "") << "the building slot takes column4, even empty";
  EXPECT_EQ(at(6), "株式会社甲");
  EXPECT_EQ(at(7), "ABC") << "further fields run for a business entry too";
  EXPECT_TRUE(s.entryApplied);

  s.settings.prefecturePosition = 4;
  record(u"ﾍﾞﾂﾉﾏﾁ9-9", u"ﾍﾞﾂﾉﾏﾁ9-9");
  s.recordField[3] = u"別の欄";
  entry({u"東京都", u"千代田区", u"丸の内", u"甲ビル", u"株式会社甲"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "東京都千代田区丸の内");
  EXPECT_EQ(at(5), "甲ビル");
  EXPECT_EQ(at(3), "別の欄");
}

TEST_F(CompareAndApplyEntry, EmptyPrefectureIsFilledByTheFirstEntryVisited) {
  record(u"", u"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1");
  entry({u"大阪府", u"北区", u"梅田", u"", u"", u"ｵｵｻｶﾌ", u"ｷﾀｸ", u"ｳﾒﾀﾞ"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "ｵｵｻｶﾌ") << "filled with the reading although nothing matched";
  EXPECT_EQ(toUtf8(s.prefectureField), "ｵｵｻｶﾌ");
  EXPECT_FALSE(s.entryApplied);

  entry({u"京都府", u"北区", u"紫野", u"", u"", u"ｷﾖｳﾄﾌ", u"ｷﾀｸ", u"ﾑﾗｻｷﾉ"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "ｵｵｻｶﾌ") << "only the first entry fills";

  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(3), "東京都") << "a match overwrites the filled reading";
  EXPECT_EQ(at(4), "緑区本町１");
}

TEST_F(CompareAndApplyEntry, BuildingIsWrittenBeforeTheComparison) {
  // No building reading: the record's building in full width, match or not.
  record(u"ﾄｳｷﾖｳﾄ", u"ﾍﾞﾂﾉﾏﾁ1", u"ｻｸﾗﾋﾞﾙ3F");
  midoriEntry(u"桜ビル");
  compareAndApplyEntry(s);
  EXPECT_EQ(at(5), "サクラビル３Ｆ");
  EXPECT_FALSE(s.entryApplied);

  record(u"ﾄｳｷﾖｳﾄ", u"ﾍﾞﾂﾉﾏﾁ1");
  s.recordField[5] = u"残る";
  midoriEntry(u"桜ビル");
  compareAndApplyEntry(s);
  EXPECT_EQ(at(5), "残る") << "an empty building copy writes nothing";

  // The probe reads the city text at the building's length minus the reading's.
  record(u"ﾄｳｷﾖｳﾄ", u"ｱｻｶｲ1", u"ｻｸﾗﾋﾞﾙ2F");  // 8 - 6 + 1 = 3: ｶｲ
  midoriEntry(u"桜ビル", u"ｻｸﾗﾋﾞﾙ");
  compareAndApplyEntry(s);
  EXPECT_EQ(at(5), "桜ビル階");

  record(u"ﾄｳｷﾖｳﾄ", u"ｱｻｶｲ1", u"ｻｸﾗﾋﾞﾙ2ｶｲ");  // start 4: ｲ1
  midoriEntry(u"桜ビル", u"ｻｸﾗﾋﾞﾙ");
  compareAndApplyEntry(s);
  EXPECT_EQ(at(5), "桜ビル");

  // A start below 1 takes no probe, even where the city text begins with ｶｲ.
  for (const Text& bil : {Text(u""), Text(u"ﾋﾞﾙ"), Text(u"ｻｸﾗﾋﾞ")}) {
    record(u"ﾄｳｷﾖｳﾄ", u"ｶｲﾂﾞｶ1", bil);
    midoriEntry(u"桜ビル", u"ｻｸﾗﾋﾞﾙ");
    compareAndApplyEntry(s);
    EXPECT_EQ(at(5), "桜ビル") << "building [" << toUtf8(bil) << "]";
  }
  record(u"ﾄｳｷﾖｳﾄ", u"ｶｲﾂﾞｶ1", u"ｻｸﾗﾋﾞﾙ");  // start 1
  midoriEntry(u"桜ビル", u"ｻｸﾗﾋﾞﾙ");
  compareAndApplyEntry(s);
  EXPECT_EQ(at(5), "桜ビル階");
}

TEST_F(CompareAndApplyEntry, CompanyIsConvertedOnlyOnAMatchWithoutCompanyReading) {
  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ2", u"", u"ABCｼﾖｳｼﾞ");
  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(6), "ＡＢＣシヨウジ");

  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ2", u"", u"ABCｼﾖｳｼﾞ");
  midoriEntry(u"", u"", u"ﾅﾆｶ");
  compareAndApplyEntry(s);
  EXPECT_TRUE(s.entryApplied);
  EXPECT_EQ(at(6), "ABCｼﾖｳｼﾞ");

  record(u"ﾄｳｷﾖｳﾄ", u"ﾆｼｸ2", u"", u"ABCｼﾖｳｼﾞ");
  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(6), "ABCｼﾖｳｼﾞ");
}

TEST_F(CompareAndApplyEntry, FurtherFieldsAreConvertedOncePerAppliedEntry) {
  s.settings.positionOfFurtherField = {0, 8, 0, 7, 4, 7};
  s.settings.conversionOfFurtherField = {0, 4, 4, 4, 1, 8};
  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1a");
  s.recordField[0] = u"ab";
  s.recordField[7] = u"ab";
  s.recordField[8] = u"ｶﾅ1";

  entry({u"東京都", u"緑区", u"本町", u"", u"", u"ﾄｳｷﾖｳﾄ", u"ﾆｼｸ", u""});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(8), "ｶﾅ1") << "no conversion without a match";
  EXPECT_EQ(at(4), "ﾐﾄﾞﾘｸﾎﾝﾏﾁ1a");

  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(8), "カナ１");
  EXPECT_EQ(at(7), "ab") << "pairs run in order: full width, then half width";
  EXPECT_EQ(at(4), "緑区本町１Ａ") << "the written form is converted";
  EXPECT_EQ(at(0), "ab") << "a pair at position 0 is skipped";

  midoriEntry();
  compareAndApplyEntry(s);
  EXPECT_EQ(at(8), "カナ１");
  EXPECT_EQ(at(4), "緑区本町１Ａ");
}

TEST_F(CompareAndApplyEntry, EveryEntryIsComparedWithTheRecordAsRead) {
  record(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3");
  // Cuts ﾁﾖｳ from the record copy for its own ﾏﾁ, then fails.
  entry({u"東京都", u"緑区", u"北町", u"", u"", u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ｷﾀﾏﾁ"});
  compareAndApplyEntry(s);
  EXPECT_FALSE(s.entryApplied);
  EXPECT_EQ(at(4), "ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3");

  entry({u"東京都", u"緑区", u"本町", u"", u"", u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾁﾖｳ"});
  compareAndApplyEntry(s);
  EXPECT_EQ(at(4), "緑区本町１－２－３");
  EXPECT_EQ(toUtf8(s.cityFieldAsRead), "ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3");
}

}  // namespace
}  // namespace zumaro
