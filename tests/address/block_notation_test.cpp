#include "address/block_notation.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zumaro {
namespace {

struct BlockCase {
  std::u16string rest;
  std::u16string written;
};

// The case by its text in test names and messages.
void PrintTo(const BlockCase& c, std::ostream* os) { *os << toUtf8(c.rest); }

class BlocksAsWritten : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlocksAsWritten, WritesNumbersAsAddressesAreWritten) {
  EXPECT_EQ(toUtf8(writtenRemainder(GetParam().rest, BlockStyle::Written)), toUtf8(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Cases, BlocksAsWritten,
                         ::testing::Values(BlockCase{u"1ｰ2ｰ3", u"１－２－３"}, BlockCase{u"1-2-3", u"１－２－３"},
                                           BlockCase{u"１ー２‐３", u"１－２－３"}, BlockCase{u"4−5–6", u"４－５－６"},
                                           BlockCase{u"1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ", u"１丁目２番３号"},
                                           BlockCase{u"1ﾁｮｳﾒ2ばん3ゴウ", u"１丁目２番３号"},
                                           BlockCase{u"2ﾊﾞﾝﾁ", u"２番地"}, BlockCase{u"12ﾊﾞﾝ3ｺﾞｳ", u"１２番３号"},
                                           BlockCase{u"5ﾉ7", u"５の７"}, BlockCase{u"ﾉｿﾞﾐ1ｰ2", u"ノゾミ１－２"},
                                           BlockCase{u"ﾊｲﾂ 101", u"ハイツ　１０１"}, BlockCase{u"3ｰﾋﾞﾙ", u"３ービル"},
                                           BlockCase{u"ｺﾞｳ1", u"ゴウ１"}, BlockCase{u"", u""}));

TEST(BlocksFullWidth, IsTheOldFullWidthRemainder) {
  EXPECT_EQ(toUtf8(writtenRemainder(u"1ﾁﾖｳﾒ2ｰ3 ｶﾞ", BlockStyle::FullWidth)), "１チヨウメ２ー３　ガ");
}

}  // namespace
}  // namespace zumaro
