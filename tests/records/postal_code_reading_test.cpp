#include "records/postal_code_reading.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zumaro {
namespace {

using Kind = PostalCodeReading::Kind;

struct CodeCase {
  std::u16string field;
  Kind kind;
  std::u16string key;
  std::u16string oldCode = u"";  // a code of before 1998
};

// The case by its text in test names and messages.
void PrintTo(const CodeCase& c, std::ostream* os) { *os << toUtf8(c.field); }

class PostalCodeAsWritten : public ::testing::TestWithParam<CodeCase> {};

TEST_P(PostalCodeAsWritten, GivesTheSevenDigitKey) {
  const CodeCase& c = GetParam();
  const PostalCodeReading r = readPostalCode(c.field);
  EXPECT_EQ(r.kind, c.kind) << toUtf8(c.field);
  EXPECT_EQ(toUtf8(r.key), toUtf8(c.key)) << toUtf8(c.field);
  EXPECT_EQ(toUtf8(r.oldCode), toUtf8(c.oldCode)) << toUtf8(c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PostalCodeAsWritten,
    ::testing::Values(CodeCase{u"2310062", Kind::Code, u"2310062"}, CodeCase{u"231-0062", Kind::Code, u"2310062"},
                      CodeCase{u"2310062  ", Kind::Code, u"2310062"}, CodeCase{u" 231 0062", Kind::Code, u"2310062"},
                      CodeCase{u"２３１－００６２", Kind::Code, u"2310062"},
                      CodeCase{u"231ｰ0062", Kind::Code, u"2310062"}, CodeCase{u"231‐0062", Kind::Code, u"2310062"},
                      CodeCase{u"231−0062", Kind::Code, u"2310062"}, CodeCase{u"231–0062", Kind::Code, u"2310062"},
                      CodeCase{u"〒 231-0062", Kind::Code, u"2310062"},
                      CodeCase{u"〒231ー0062", Kind::Code, u"2310062"},
                      CodeCase{u"10010", Kind::Repaired, u"0010010", u"10010"},
                      CodeCase{u"100010", Kind::Repaired, u"0100010"}, CodeCase{u"1000", Kind::None, u""},
                      CodeCase{u"23100620", Kind::None, u""}, CodeCase{u"23-10062", Kind::None, u""},
                      CodeCase{u"231--0062", Kind::None, u""}, CodeCase{u"〒〒2310062", Kind::None, u""},
                      CodeCase{u"", Kind::None, u""}, CodeCase{u"ABC-DEFG", Kind::None, u""},
                      CodeCase{u"231-01", Kind::None, u"", u"23101"},
                      CodeCase{u"〒２３１－０１", Kind::None, u"", u"23101"}, CodeCase{u"231", Kind::None, u"", u"231"},
                      CodeCase{u"23-101", Kind::None, u""}, CodeCase{u"2310", Kind::None, u""}));

}  // namespace
}  // namespace zumaro
