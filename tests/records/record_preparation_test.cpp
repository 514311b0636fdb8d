#include "records/record_preparation.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zumaro {
namespace {

ConversionState withPostalCode(const Text& field) {
  ConversionState s;
  s.settings.postalCodePosition = 2;
  s.recordField[2] = field;
  return s;
}

void expectKeys(const std::vector<std::pair<Text, Text>>& cases) {
  for (const auto& [field, key] : cases) {
    SCOPED_TRACE("field [" + toUtf8(field) + "]");
    ConversionState s = withPostalCode(field);
    s.postalKey = u"stale";
    prepareRecord(s);
    EXPECT_EQ(toUtf8(s.postalKey), toUtf8(key));
    EXPECT_EQ(toUtf8(s.recordField[2]), toUtf8(field)) << "the record keeps its postal code as read";
  }
}

TEST(PrepareRecordKey, PostalCodeExamples) {
  expectKeys({
      {u"〒131-9999", u"1319999"},
      {u"131-9999", u"1319999"},
      {u"131ー9999", u"1319999"},
      {u"1319999", u"1319999"},
      {u"131-99", u"13199"},
      {u"131", u"131"},
      {u"131-", u"131"},
      {u"131--9999", u"131-9999"},
      {u"13-19999", u"13-19999"},
      {u"〒〒131", u"〒131"},
      {u"〒", u""},
      {u"", u""},
      {u"131－9999", u"131－9999"},
      {u"１３１-９９９９", u"１３１９９９９"},
  });
}

TEST(PrepareRecordKey, MarkAndHyphenCountOnlyAtTheirPlaces) {
  expectKeys({
      // A space before the mark keeps both; the hyphen goes only if fourth.
      {u" 〒131-9999", u" 〒131-9999"},
      {u" 〒1-9999", u" 〒19999"},
      // The mark goes, the space after it stays and pushes the hyphen to fifth.
      {u"〒 131-9999", u" 131-9999"},
      {u"〒131ー9999", u"1319999"},
      {u"1319ー999", u"1319ー999"},
      {u"ー1319999", u"ー1319999"},
      {u"131ｰ9999", u"131ｰ9999"},
      {u"131 9999", u"131 9999"},
      {u" 1319999 ", u" 1319999 "},
      {u"〒12", u"12"},
  });
}

TEST(PrepareRecord, CopiesTheFieldsAndLeavesTheRecordAlone) {
  ConversionState s;
  s.settings.postalCodePosition = 1;
  s.settings.prefecturePosition = 2;
  s.settings.cityPosition = 3;
  s.settings.buildingPosition = 4;
  s.settings.companyPosition = 5;
  s.recordField[1] = u"〒100-0001";
  s.recordField[2] = u"ﾄｳｷﾖｳﾄ";
  s.recordField[3] = u"ﾁﾖﾀﾞｸ1-1";
  s.recordField[4] = u"ﾋﾞﾙ";
  s.recordField[5] = u"ｶｲｼﾔ";
  const auto before = s.recordField;
  prepareRecord(s);
  EXPECT_EQ(toUtf8(s.postalKey), "1000001");
  EXPECT_EQ(toUtf8(s.prefectureField), "ﾄｳｷﾖｳﾄ");
  EXPECT_EQ(toUtf8(s.cityField), "ﾁﾖﾀﾞｸ1-1");
  EXPECT_EQ(toUtf8(s.cityFieldAsRead), "ﾁﾖﾀﾞｸ1-1");
  EXPECT_EQ(toUtf8(s.buildingField), "ﾋﾞﾙ");
  EXPECT_EQ(toUtf8(s.companyField), "ｶｲｼﾔ");
  EXPECT_EQ(s.recordField, before);

  // A company position of 0 copies slot 0, whatever an earlier record left there.
  s.settings.companyPosition = 0;
  s.recordField[0] = u"前の会社";
  prepareRecord(s);
  EXPECT_EQ(toUtf8(s.companyField), "前の会社");
}

// A town field of its own is walked with the city field as one text.
TEST(PrepareRecord, JoinsATownFieldBehindTheCityAndASpace) {
  const struct {
    int16_t townPosition;
    Text city, town, joined;
    int townStart;
  } cases[] = {
      {3, u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ1-1", u"ﾖｺﾊﾏｼﾅｶｸ ｻｸﾗｷﾞﾁﾖｳ1-1", 9},
      {3, u"ﾖｺﾊﾏｼﾅｶｸ", u"", u"ﾖｺﾊﾏｼﾅｶｸ", 0},
      {3, u"", u"1-1", u" 1-1", 1},
      {0, u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ1-1", u"ﾖｺﾊﾏｼﾅｶｸ", 0},
  };
  ConversionState s;
  s.settings.cityPosition = 2;
  for (const auto& c : cases) {
    SCOPED_TRACE(toUtf8(c.joined));
    s.settings.townPosition = c.townPosition;
    s.recordField[2] = c.city;
    s.recordField[3] = c.town;
    prepareRecord(s);
    EXPECT_EQ(toUtf8(s.cityField), toUtf8(c.joined));
    EXPECT_EQ(toUtf8(s.cityFieldAsRead), toUtf8(c.joined));
    EXPECT_EQ(s.townStart, c.townStart);
    EXPECT_EQ(s.recordField[3], c.town);
  }
}

}  // namespace
}  // namespace zumaro
