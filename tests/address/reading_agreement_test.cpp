#include "address/reading_agreement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace zumaro {
namespace {

struct AgreementCase {
  const char* what;
  std::u16string record, prefecture, city, town;
  bool agrees;
  int used;  // characters of the record used, when it agrees
  bool prefectureInText = false;
  int reached = -1;  // how far the record was read alike, where it matters
};

// The case by its text in test names and messages.
void PrintTo(const AgreementCase& c, std::ostream* os) { *os << c.what; }

class ReadingAgreement : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(ReadingAgreement, AgreesAsFarAsTheRecordReallyReads) {
  const AgreementCase& c = GetParam();
  FoldedText record;
  foldText(c.record, record);
  Text prefecture, city, town;
  foldReading(c.prefecture, prefecture);
  foldReading(c.city, city);
  foldReading(c.town, town);
  const Agreement a = agreeReadings(record, {prefecture, city, town, c.prefectureInText});
  EXPECT_EQ(a.agrees, c.agrees) << c.what;
  if (c.agrees) {
    EXPECT_EQ(a.used, c.used) << c.what;
  }
  if (c.reached >= 0) {
    EXPECT_EQ(a.reached, c.reached) << c.what;
  }
  // A text that folds to itself may be compared where it stands: the same answer.
  if (foldsToItself(c.record)) {
    const Agreement b = agreeReadings(FoldedRecordView::itself(c.record), {prefecture, city, town, c.prefectureInText});
    EXPECT_EQ(std::tie(b.agrees, b.used, b.reached, b.passedOver), std::tie(a.agrees, a.used, a.reached, a.passedOver));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingAgreement,
    ::testing::Values(
        AgreementCase{"plain", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2", u"", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", true, 9},
        AgreementCase{"a long reading that differs early", u"ﾖｺﾊﾏｼｶﾅｶﾞﾜｸ1", u"", u"ﾖｺﾊﾏｼｺｳﾎｸｸ", u"ﾂﾅｼﾏ", false, 0,
                      false, 5},
        AgreementCase{"a long reading that differs late", u"ｻｶﾞﾐﾊﾗｼﾐﾄﾞﾘｸ1", u"", u"ｻｶﾞﾐﾊﾗｼﾐﾅﾐｸ", u"", false, 0, false,
                      8},
        AgreementCase{"small kana in the record", u"ｷﾖｳﾄｼｻｸﾗｷﾞﾁｮｳ1", u"", u"ｷﾖｳﾄｼ", u"ｻｸﾗｷﾞﾁﾖｳ", true, 13},
        AgreementCase{"small kana in the entry", u"ｻﾂﾎﾟﾛｼｷﾀ3ｼﾞﾖｳ", u"", u"ｻﾂﾎﾟﾛｼ", u"ｷﾀ3ｼﾞｮｳ", true, 13},
        AgreementCase{"full-width katakana", u"ヨコハマシナカクサクラギチョウ１－１", u"", u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ",
                      true, 15},
        AgreementCase{"hiragana and ヴ", u"ゔぃらまち2", u"", u"ｳﾞｲﾗ", u"ﾏﾁ", true, 5},
        AgreementCase{"ﾁﾞ and ｼﾞ, ﾂﾞ and ｽﾞ alike", u"ﾐｶｽﾞｷｼﾁｼﾞﾐ", u"", u"ﾐｶﾂﾞｷｼ", u"ﾁﾁﾞﾐ", true, 10},
        AgreementCase{"spaces anywhere", u"ﾖｺﾊﾏｼ ﾅｶｸ　ｻｸﾗｷﾞﾁﾖｳ 1-1", u"", u"ﾖｺﾊﾏｼﾅｶｸ", u"ｻｸﾗｷﾞﾁﾖｳ", true, 18},
        AgreementCase{"ﾏﾁ read ﾁﾖｳ", u"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1", u"", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", true, 10},
        AgreementCase{"ﾁﾖｳ read ﾏﾁ", u"ﾐﾅﾐﾏﾁｻｸﾗ2-5", u"", u"ﾐﾅﾐﾁﾖｳ", u"ｻｸﾗ", true, 8},
        AgreementCase{"no other reading there: nothing is cut", u"ﾀﾅｲｹ10-1-101", u"", u"", u"ﾀﾅｲｹﾁﾖｳ", false, 0},
        AgreementCase{"a town read 町 alone alternates", u"ｱｲｶﾜﾁﾖｳ3", u"", u"ｱｲｶﾜ", u"ﾏﾁ", true, 7},
        AgreementCase{"a city read ﾁﾖｳ alone does not", u"ﾏﾁｻｸﾗ", u"", u"ﾁﾖｳ", u"ｻｸﾗ", false, 0},
        AgreementCase{"大字 before the town area", u"ｵｵｲﾀｼｵｵｱｻﾞﾂﾈﾕｷ12", u"", u"ｵｵｲﾀｼ", u"ﾂﾈﾕｷ", true, 14},
        AgreementCase{"字 before a town that begins with it", u"ｲﾁﾉﾐﾔｼｱｻﾞｱｻﾞｲﾁﾖｳ8", u"", u"ｲﾁﾉﾐﾔｼ", u"ｱｻﾞｲﾁﾖｳ", true,
                      16},
        AgreementCase{"大字 is not passed for an empty town", u"ｵｵｲﾀｼｵｵｱｻﾞﾂﾈﾕｷ", u"", u"ｵｵｲﾀｼ", u"", true, 5},
        AgreementCase{"a character is never split", u"ｶﾅガﾜ", u"", u"ｶﾅｶ", u"", false, 0},
        AgreementCase{"prefecture in the same field", u"ｶﾅｶﾞﾜｹﾝ ﾖｺﾊﾏｼ1", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼ", u"", true, 13, true},
        AgreementCase{"prefecture left out of the same field", u"ﾖｺﾊﾏｼ1", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼ", u"", true, 5, true},
        AgreementCase{"prefecture written in the city field too", u"ｶﾅｶﾞﾜｹﾝﾖｺﾊﾏｼ1", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼ", u"", true,
                      12},
        AgreementCase{"another prefecture is not passed over", u"ﾄｳｷﾖｳﾄﾖｺﾊﾏｼ1", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼ", u"", false, 0},
        AgreementCase{"a shorter text never agrees", u"ﾐﾄﾞﾘ", u"", u"ﾐﾄﾞﾘｸ", u"", false, 0},
        AgreementCase{"empty readings agree with anything", u"ﾅﾝﾃﾞﾓ", u"", u"", u"", true, 0}));

}  // namespace
}  // namespace zumaro
