#include "records/numck.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zumaro {
namespace {

ConversionState withPostalCode(const Text& field) {
  ConversionState s;
  s.settings.posno = 2;
  s.koumoku[2] = field;
  return s;
}

void expectKeys(const std::vector<std::pair<Text, Text>>& cases) {
  for (const auto& [field, key] : cases) {
    SCOPED_TRACE("field [" + toUtf8(field) + "]");
    ConversionState s = withPostalCode(field);
    s.keyno = u"stale";
    numck(s);
    EXPECT_EQ(toUtf8(s.keyno), toUtf8(key));
    EXPECT_EQ(toUtf8(s.koumoku[2]), toUtf8(field)) << "the record keeps its postal code as read";
  }
}

TEST(NumckKey, PostalCodeExamples) {
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

TEST(NumckKey, MarkAndHyphenCountOnlyAtTheirPlaces) {
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

TEST(Numck, CopiesTheFieldsAndLeavesTheRecordAlone) {
  ConversionState s;
  s.settings.posno = 1;
  s.settings.posken = 2;
  s.settings.poscity = 3;
  s.settings.posbil = 4;
  s.settings.posco = 5;
  s.koumoku[1] = u"〒100-0001";
  s.koumoku[2] = u"ﾄｳｷﾖｳﾄ";
  s.koumoku[3] = u"ﾁﾖﾀﾞｸ1-1";
  s.koumoku[4] = u"ﾋﾞﾙ";
  s.koumoku[5] = u"ｶｲｼﾔ";
  const auto before = s.koumoku;
  numck(s);
  EXPECT_EQ(toUtf8(s.keyno), "1000001");
  EXPECT_EQ(toUtf8(s.recken), "ﾄｳｷﾖｳﾄ");
  EXPECT_EQ(toUtf8(s.reccity), "ﾁﾖﾀﾞｸ1-1");
  EXPECT_EQ(toUtf8(s.reccityRead), "ﾁﾖﾀﾞｸ1-1");
  EXPECT_EQ(toUtf8(s.recbil), "ﾋﾞﾙ");
  EXPECT_EQ(toUtf8(s.recco), "ｶｲｼﾔ");
  EXPECT_EQ(s.koumoku, before);

  // A company position of 0 copies slot 0, whatever an earlier record left there.
  s.settings.posco = 0;
  s.koumoku[0] = u"前の会社";
  numck(s);
  EXPECT_EQ(toUtf8(s.recco), "前の会社");
}

// A town field of its own is walked with the city field as one text.
TEST(Numck, JoinsATownFieldBehindTheCityAndASpace) {
  const struct {
    int16_t postown;
    Text city, town, joined;
    int townStart;
  } cases[] = {
      {3, u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ1-1", u"ﾖｺﾊﾏｼﾅｶｸ ｻｸﾗｷﾞﾁﾖｳ1-1", 9},
      {3, u"ﾖｺﾊﾏｼﾅｶｸ", u"", u"ﾖｺﾊﾏｼﾅｶｸ", 0},
      {3, u"", u"1-1", u" 1-1", 1},
      {0, u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ1-1", u"ﾖｺﾊﾏｼﾅｶｸ", 0},
  };
  ConversionState s;
  s.settings.poscity = 2;
  for (const auto& c : cases) {
    SCOPED_TRACE(toUtf8(c.joined));
    s.settings.postown = c.postown;
    s.koumoku[2] = c.city;
    s.koumoku[3] = c.town;
    numck(s);
    EXPECT_EQ(toUtf8(s.reccity), toUtf8(c.joined));
    EXPECT_EQ(toUtf8(s.reccityRead), toUtf8(c.joined));
    EXPECT_EQ(s.townStart, c.townStart);
    EXPECT_EQ(s.koumoku[3], c.town);
  }
}

}  // namespace
}  // namespace zumaro
