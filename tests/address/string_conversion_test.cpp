#include "address/string_conversion.h"

#include <gtest/gtest.h>

#include <vector>

namespace zumaro {
namespace {

struct Case {
  Text in;
  int option;
  Text out;
};

// UTF-8 on both sides so a failure shows readable kana.
void expectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.in) + " with " + std::to_string(c.option));
    EXPECT_EQ(toUtf8(convertString(c.in, c.option)), toUtf8(c.out));
  }
}

TEST(ConversionOption, AcceptsOnlySumsOfOneCodePerGroup) {
  for (int ok : {0, 1, 2, 3, 4, 8, 16, 32, 5, 7, 11, 19, 36, 23, 42, 43})
    EXPECT_TRUE(isValidConversionOption(ok)) << ok;
  for (int bad : {12, 48, 60, 13, 49, -1, 64, 100}) EXPECT_FALSE(isValidConversionOption(bad)) << bad;
}

TEST(ConvertString, ZeroAndEmptyLeaveTextAlone) {
  expectAll({{u"ｶﾞ abc ぱ", 0, u"ｶﾞ abc ぱ"}, {u"", 4, u""}, {u"", 43, u""}});
}

TEST(ConvertString, Case) {
  expectAll({
      {u"Hello ｗｏｒｌｄ ß", 1, u"HELLO ＷＯＲＬＤ ß"},
      {u"HeLLo ＷＯＲＬＤ Ä", 2, u"hello ｗｏｒｌｄ ä"},
      {u"hello wORLD foo-bar", 3, u"Hello World Foo-bar"},
      {u"aB\tcD\neF\u3000gH\rij", 3, u"Ab\tCd\nEf\u3000Gh\rIj"},
      {u"ａＢ　ｃＤ", 3, u"Ａｂ　Ｃｄ"},
      {u"(abc) x.y", 3, u"(abc) X.y"},
      {Text(u"aB\0cD\vxY\fz", 11), 3, Text(u"Ab\0Cd\vXy\fZ", 11)},
  });
}

TEST(ConvertString, FullWidth) {
  expectAll({
      {u"ｶﾞﾊﾟｳﾞﾜﾞｦﾞ", 4, u"ガパヴヷヺ"},
      {u"は゛ﾊ゜か", 4, u"ばパか"},
      {u"ｱﾞﾟﾞｰﾞ", 4, u"ア゛゜゛ー゛"},
      {u"ｶﾞﾞ", 4, u"ガ゛"},
      {u"a b-c~\"'", 4, u"ａ\u3000ｂ－ｃ～＂＇"},
      {u"\\¥Az09!}", 4, u"\\￥Ａｚ０９！｝"},
      {u"｡､｢｣･ｰ", 4, u"。、「」・ー"},
      {u"漢字→○", 4, u"漢字→○"},
  });
}

TEST(ConvertString, HalfWidth) {
  expectAll({
      {u"ガヴパヷヺ", 8, u"ｶﾞｳﾞﾊﾟﾜﾞｦﾞ"},
      {u"ヸヹヾ", 8, u"ヰﾞヱﾞヽﾞ"},
      {u"ヵヶヮヽ", 8, u"ヵヶヮヽ"},
      {u"ひらがなぱ", 8, u"ひらがなぱ"},
      {u"、。「」・ー゛゜", 8, u"､｡｢｣･ｰﾞﾟ"},
      {u"’”", 8, u"'\""},
      {u"＼￥Ａｚ０！～　－", 8, u"＼￥Az0!~ -"},
      {u"←⇒○─┼", 8, u"←⇒○─┼"},
  });
}

TEST(ConvertString, Kana) {
  expectAll({
      {u"パーク", 32, u"ぱーく"},
      {u"ヴヵヶヽヾ", 32, u"ゔゕゖゝゞ"},
      {u"ヷヸヹヺ", 32, u"ヷヸヹヺ"},
      {u"ｶﾞｷ", 32, u"ｶﾞｷ"},
      {u"ゔゕゖゝゞ", 16, u"ヴヵヶヽヾ"},
      {u"ぱーく", 16, u"パーク"},
      {u"ｶﾞ", 16, u"ｶﾞ"},
  });
}

TEST(ConvertString, Sums) {
  expectAll({
      {u"ｶﾞｯｺｳ ﾊﾟｰｸ", 4 + 32, u"がっこう\u3000ぱーく"},
      {u"がっこう ぱーく", 8 + 16, u"ｶﾞｯｺｳ ﾊﾟｰｸ"},
      {u"ab ｃd", 1 + 4, u"ＡＢ\u3000ＣＤ"},
      {u"ＡＢＣ　ｶﾞ", 2 + 8, u"abc ｶﾞ"},
      {u"foo bar", 3 + 4, u"Ｆｏｏ　Ｂａｒ"},
      {u"ガッコウ", 8 + 32, u"がっこう"},
  });
}

TEST(ConvertString, InPlaceShrinksAsVoicedMarksJoin) {
  const struct {
    const char16_t* in;
    int option;
    const char16_t* out;
  } cases[] = {
      {u"ｶﾞｷﾞﾊﾟ ﾎﾟx", 4, u"ガギパ\u3000ポｘ"},
      {u"ｶﾞｷﾞﾊﾟ ﾎﾟx", 4 + 32, u"がぎぱ\u3000ぽｘ"},
      {u"ﾞｶﾞﾟ", 4, u"\u309Bガ\u309C"},  // a mark with nothing to join stays
      {u"ｶﾞ", 0, u"ｶﾞ"},
  };
  for (const auto& c : cases) {
    Text text = c.in;
    convertInPlace(text, c.option);
    EXPECT_EQ(toUtf8(text), toUtf8(c.out)) << toUtf8(c.in) << " " << c.option;
  }
}

TEST(ConvertString, AppendedFullWidthKeepsWhatWasThere) {
  const struct {
    const char16_t* before;
    const char16_t* appended;
    const char16_t* out;
  } cases[] = {
      {u"", u"ｶﾞ1-2", u"ガ１－２"},
      {u"ｶ", u"ﾞ1", u"ｶ\u309B１"},     // the mark does not reach back into what was there
      {u"カ", u"ﾞｶﾞ", u"カ\u309Bガ"},  // not even to a full-width kana
      {u"東京", u"", u"東京"},
  };
  for (const auto& c : cases) {
    Text text = c.before;
    appendFullWidth(text, c.appended);
    EXPECT_EQ(toUtf8(text), toUtf8(c.out)) << toUtf8(c.before) << " + " << toUtf8(c.appended);
  }
}

TEST(ConvertString, SurrogatePairsPassThrough) {
  const Text text = u"a\U00010428b\U0002000B";  // Deseret small letter, then a kanji outside the BMP
  for (int option : {1, 2, 3, 4, 8, 16, 32, 3 + 4 + 32, 1 + 8 + 16}) {
    Text out = convertString(text, option);
    ASSERT_EQ(out.size(), text.size()) << option;
    EXPECT_EQ(out.substr(1, 2), text.substr(1, 2)) << option;
    EXPECT_EQ(out.substr(4, 2), text.substr(4, 2)) << option;
  }
}

TEST(ConvertString, WidthRoundTrips) {
  // Every half-width kana, alone or with a mark, survives widening then narrowing.
  for (char16_t h = 0xFF61; h <= 0xFF9F; ++h) {
    for (Text mark : {Text(), Text(u"ﾞ"), Text(u"ﾟ")}) {
      Text s = Text(1, h) + mark;
      EXPECT_EQ(convertString(convertString(s, 4), 8), s) << toUtf8(s);
    }
  }
  // Every full-width katakana survives narrowing then widening.
  for (char16_t k = 0x30A0; k <= 0x30FF; ++k) {
    Text s(1, k);
    EXPECT_EQ(convertString(convertString(s, 8), 4), s) << toUtf8(s);
  }
  for (char16_t k = 0x3041; k <= 0x3096; ++k) {
    Text s(1, k);
    EXPECT_EQ(convertString(convertString(s, 16), 32), s) << toUtf8(s);
  }
}

}  // namespace
}  // namespace zumaro
