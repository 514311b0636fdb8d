// The comparison by parts: each part read or written, the 郡 and the
// designated city left out, numbers read out or in digits. Rows give the
// entry as the data holds it; the record as lists write it.
#include <gtest/gtest.h>

#include <ostream>

#include "address/reading_agreement.h"
#include "address/written_form.h"

namespace zumaro {
namespace {

struct Entry {
  std::u16string prefecture, city, town;  // readings
  std::u16string writtenPrefecture, writtenCity, writtenTown;
};

const Entry kNagano{u"ｸﾞﾝﾏｹﾝ", u"ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁ", u"ｶﾜﾗﾕ", u"群馬県", u"吾妻郡長野原町", u"川原湯"};
const Entry kMihara{u"ｵｵｻｶﾌ", u"ｻｶｲｼﾐﾊﾗｸ", u"ﾓｸｻﾞｲﾄﾞｵﾘ", u"大阪府", u"堺市美原区", u"木材通"};
const Entry kAsaminami{u"ﾋﾛｼﾏｹﾝ", u"ﾋﾛｼﾏｼｱｻﾐﾅﾐｸ", u"ﾔｸﾞﾁ", u"広島県", u"広島市安佐南区", u"八木"};
const Entry kHarumi{u"ﾎﾂｶｲﾄﾞｳ", u"ｽﾅｶﾞﾜｼ", u"ﾊﾙﾐ3ｼﾞﾖｳｷﾀ", u"北海道", u"砂川市", u"晴見三条北"};
const Entry kKita11{u"ﾎﾂｶｲﾄﾞｳ", u"ｻﾂﾎﾟﾛｼｷﾀｸ", u"ｷﾀ11ｼﾞﾖｳﾆｼ", u"北海道", u"札幌市北区", u"北十一条西"};
const Entry kIchiban{u"ﾐﾔｷﾞｹﾝ", u"ｾﾝﾀﾞｲｼｱｵﾊﾞｸ", u"ｲﾁﾊﾞﾝﾁﾖｳ", u"宮城県", u"仙台市青葉区", u"一番町"};
const Entry kMitake{u"ﾄｳｷﾖｳﾄ", u"ｵｳﾒｼ", u"ﾐﾀｹｻﾝ", u"東京都", u"青梅市", u"御岳山"};
const Entry kShibui{u"ｲﾊﾞﾗｷｹﾝ", u"ﾐﾄｼ", u"ｼﾌﾞｲﾁﾖｳ", u"茨城県", u"水戸市", u"渋井町"};
const Entry kUshigaya{u"ﾁﾊﾞｹﾝ", u"ﾓﾊﾞﾗｼ", u"ｳｼｶﾞﾔ", u"千葉県", u"茂原市", u"牛ケ谷"};
const Entry kKoriyama{u"ﾌｸｼﾏｹﾝ", u"ｺｵﾘﾔﾏｼ", u"ｱｻﾋ", u"福島県", u"郡山市", u"朝日"};

struct PartCase {
  const char* what;
  const Entry* entry;
  std::u16string record;
  bool agrees;
  int used = 0;
  bool leap = false;     // ranks below an agreement without one
  bool written = false;  // every part it took was written
  bool shared = false;   // prefecture and city in one field
};

void PrintTo(const PartCase& c, std::ostream* os) { *os << c.what; }

class PartAgreement : public ::testing::TestWithParam<PartCase> {};

TEST_P(PartAgreement, AgreesPartByPart) {
  const PartCase& c = GetParam();
  const Entry& e = *c.entry;
  FoldedText record;
  foldText(c.record, record);
  Text wp, wc, wt;
  const bool written = holdsWrittenCharacters(record.view());
  EntryReadings readings{e.prefecture,        e.city,        e.town,        c.shared,
                         e.writtenPrefecture, e.writtenCity, e.writtenTown, written};
  if (written) {
    foldReading(e.writtenPrefecture, wp);
    foldReading(e.writtenCity, wc);
    foldReading(e.writtenTown, wt);
    readings.writtenPrefecture = wp;
    readings.writtenCity = wc;
    readings.writtenTown = wt;
  }
  const Agreement a = agreeReadings(record, readings);
  ASSERT_EQ(a.agrees, c.agrees);
  if (!c.agrees) return;
  EXPECT_EQ(a.used, c.used);
  EXPECT_EQ(a.passedOver, c.leap);
  EXPECT_EQ(a.written, c.written);
}

INSTANTIATE_TEST_SUITE_P(
    LeftOut, PartAgreement,
    ::testing::Values(PartCase{"郡 left out", &kNagano, u"ﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ7", true, 12, true},
                      PartCase{"郡 read", &kNagano, u"ｱｶﾞﾂﾏｸﾞﾝﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ7", true, 20},
                      PartCase{"郡 left out, small kana and spaces", &kNagano, u"ﾅｶﾞﾉﾊﾗﾏﾁ ｶﾜﾗﾕ 7", true, 13, true},
                      PartCase{"郡 left out with the prefecture in the field", &kNagano, u"ｸﾞﾝﾏｹﾝﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ7", true,
                               18, true, false, true},
                      PartCase{"designated city left out", &kMihara, u"ﾐﾊﾗｸﾓｸｻﾞｲﾄﾞｵﾘ2-5", true, 13, true},
                      PartCase{"a city with ｼ twice left out", &kAsaminami, u"ｱｻﾐﾅﾐｸﾔｸﾞﾁ1", true, 10, true},
                      PartCase{"only a whole lead is left out", &kAsaminami, u"ﾏｼｱｻﾐﾅﾐｸﾔｸﾞﾁ1", true, 12, true},
                      PartCase{"a city named after a 郡 has no lead", &kKoriyama, u"ﾔﾏｼｱｻﾋ", false},
                      PartCase{"the ward alone is not enough", &kMihara, u"ﾐﾊﾗｸ2-5", false}));

INSTANTIATE_TEST_SUITE_P(
    Written, PartAgreement,
    ::testing::Values(PartCase{"all written", &kShibui, u"水戸市渋井町10-1", true, 6, false, true},
                      PartCase{"written city, read town", &kShibui, u"水戸市ｼﾌﾞｲﾁﾖｳ10-1", true, 10},
                      PartCase{"written city, hiragana town", &kShibui, u"水戸市しぶいちょう10", true, 9},
                      PartCase{"read city, written town", &kShibui, u"ﾐﾄｼ渋井町1", true, 6},
                      PartCase{"written with the prefecture, another field expected", &kShibui, u"茨城県水戸市渋井町1",
                               true, 9, true, true},
                      PartCase{"written prefecture in the shared field", &kShibui, u"茨城県水戸市渋井町1", true, 9,
                               false, true, true},
                      PartCase{"written, 郡 left out", &kNagano, u"長野原町川原湯７", true, 7, true, true},
                      PartCase{"郡 written, town read", &kNagano, u"吾妻郡ﾅｶﾞﾉﾊﾗﾏﾁｶﾜﾗﾕ", true, 15},
                      PartCase{"designated city read, ward written", &kMihara, u"ｻｶｲｼ美原区木材通", true, 10},
                      PartCase{"numerals in any script", &kKita11, u"札幌市北区北１１条西３", true, 10, false, true},
                      PartCase{"kanji numerals as the data", &kKita11, u"札幌市北区北十一条西", true, 10, false, true},
                      PartCase{"a digit run ends where kanji give way", &kHarumi, u"砂川市晴見三3", false},
                      PartCase{"ヶ and ケ alike", &kUshigaya, u"茂原市牛ヶ谷", true, 6, false, true},
                      PartCase{"ヵ and ケ alike", &kUshigaya, u"茂原市牛ヵ谷2", true, 6, false, true},
                      PartCase{"大字 written before the town", &kShibui, u"水戸市大字渋井町", true, 8, true, true},
                      PartCase{"another town written", &kShibui, u"水戸市渋谷町", false}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, PartAgreement,
    ::testing::Values(PartCase{"read out where the data has digits", &kHarumi, u"ｽﾅｶﾞﾜｼﾊﾙﾐｻﾝｼﾞﾖｳｷﾀ1-2", true, 17},
                      PartCase{"tens read out", &kKita11, u"ｻﾂﾎﾟﾛｼｷﾀｸｷﾀｼﾞﾕｳｲﾁｼﾞﾖｳﾆｼ", true, 23},
                      PartCase{"digits where the data reads the number", &kIchiban, u"ｾﾝﾀﾞｲｼｱｵﾊﾞｸ1ﾊﾞﾝﾁﾖｳ", true, 18},
                      PartCase{"another number read out", &kHarumi, u"ｽﾅｶﾞﾜｼﾊﾙﾐﾆｼﾞﾖｳｷﾀ", false},
                      PartCase{"no numeral written: a block is not a reading", &kMitake, u"ｵｳﾒｼﾐﾀｹ3", false},
                      PartCase{"a longer digit run is not the number", &kKita11, u"ｻﾂﾎﾟﾛｼｷﾀｸｷﾀ111ｼﾞﾖｳﾆｼ", false}));

}  // namespace
}  // namespace zumaro
