#include "run/written_agreement.h"

#include "address/written_form.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

TEST(WrittenAgreement, CountsTheTextThatFollowsTheWrittenEntry) {
  const struct {
    std::u16string text, written;
    size_t used;
  } cases[] = {
      {u"東大阪市北鴻池町９－２", u"東大阪市北鴻池町", 8},  // through the town area, then the block
      {u"東大阪市南鴻池町９－２", u"東大阪市北鴻池町", 4},
      {u"東大阪市　北鴻池町1", u"東大阪市北鴻池町", 9},  // a space passed over
      {u"砂川市晴見3条北", u"砂川市晴見三条北", 8},      // numerals alike
      {u"砂川市晴見３条北", u"砂川市晴見三条北", 8},
      {u"霞ヶ関2", u"霞ケ関", 3},
      {u"東大阪", u"東大阪市北鴻池町", 3},
      {u"ﾋｶﾞｼｵｵｻｶｼ", u"東大阪市", 0},
      {u"", u"東大阪市", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(writtenAgreement(c.text, c.written), c.used) << toUtf8(c.text) << " " << toUtf8(c.written);
}

TEST(WrittenAgreement, KanjiTellAWrittenAddressFromAReadOne) {
  EXPECT_TRUE(holdsWrittenCharacters(u"東大阪市ｷﾀｺｳﾉｲｹﾁﾖｳ"));
  EXPECT_FALSE(holdsWrittenCharacters(u"ﾋｶﾞｼｵｵｻｶｼ１－２"));
  EXPECT_FALSE(holdsWrittenCharacters(u"ひがしおおさかし　アイ"));
}

}  // namespace
}  // namespace zumaro
