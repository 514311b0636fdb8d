#include "address/kana_left.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

TEST(KanaLeftBehind, NamesTheKanaAtTheHeadButNotBlockWords) {
  const struct {
    std::u16string remainder, left;
  } cases[] = {
      {u"ｱｲ1-2", u"ｱｲ"},
      {u"ｲﾁｺﾞｳﾁ3", u"ｲﾁｺﾞｳﾁ"},  // ｺﾞｳ inside a town's reading
      {u"アイ１－２", u"アイ"},
      {u"あい 1", u"あい"},
      {u"ﾗﾝﾄﾞﾏｰｸ3", u"ﾗﾝﾄﾞﾏｰｸ"},
      {u"ｱｲｰ2", u"ｱｲ"},         // ｰ before a number is the block's hyphen
      {u"ﾊﾞﾝﾁﾖｳ2", u"ﾊﾞﾝﾁﾖｳ"},  // begins with ﾊﾞﾝﾁ but is no block word
      {u"ﾉｿﾞﾐ1", u"ﾉｿﾞﾐ"},
      {u"ｱｲ北1", u"ｱｲ"},
      {u"ﾁﾖｳﾒ2", u""},
      {u"ﾁｮｳﾒ", u""},
      {u"ちょうめ 3", u""},
      {u"バンチノ３", u""},
      {u"ﾊﾞﾝ3ｺﾞｳ", u""},
      {u"ｺﾞｳ", u""},
      {u"ﾉ5", u""},
      {u"1-2", u""},
      {u"１ｰ２", u""},
      {u"ｰ2", u""},
      {u"-ｱｲ", u""},
      {u" ｱｲ", u""},
      {u"北1", u""},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(toUtf8(kanaLeftBehind(c.remainder)), toUtf8(c.left)) << toUtf8(c.remainder);
}

}  // namespace
}  // namespace zumaro
