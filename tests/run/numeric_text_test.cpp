#include "run/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zumaro {
namespace {

TEST(NumericValue, ReadsDecimalNotationWithBlanksAndFullWidth) {
  const struct {
    Text text;
    double value;
  } cases[] = {
      {u"0", 0},           {u"50", 50},   {u"-3", -3},    {u"+7", 7},        {u"2.5", 2.5},
      {u".5", 0.5},        {u"5.", 5},    {u"1e3", 1000}, {u"1E+2", 100},    {u"25e-1", 2.5},
      {u"-.5e1", -5},      {u"007", 7},   {u" 12 ", 12},  {u"\t3\u3000", 3}, {u"\u3000 4\t ", 4},
      {u"１２．５", 12.5}, {u"－４", -4}, {u"＋８", 8},   {u"１e２", 100},   {u"1e-400", 0},
  };
  for (const auto& c : cases) {
    std::optional<double> v = numericValue(c.text);
    ASSERT_TRUE(v.has_value()) << toUtf8(c.text);
    EXPECT_DOUBLE_EQ(*v, c.value) << toUtf8(c.text);
  }
}

TEST(NumericValue, HugeExponentsKeepTheirSign) {
  EXPECT_EQ(numericValue(u"1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(numericValue(u"-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(numericValue(u"0.001e309"), 1e306);
  EXPECT_EQ(numericValue(u"0e999999999999"), 0.0);
}

TEST(NumericValue, RefusesTextsThatAreNotWhollyANumber) {
  const Text refused[] = {
      u"",   u" ",   u"\u3000", u"abc", u"5abc", u"1,000", u"0x10", u"+",   u".",     u"e5", u"nan", u"inf",
      u"1e", u"1e+", u"--1",    u"+-1", u"1 2",  u"5.5.5", u"１ａ", u"1.e", u"1e2.5", u"²",  u"1\n", u"−1",
  };
  for (const Text& t : refused) EXPECT_FALSE(numericValue(t).has_value()) << toUtf8(t);
}

TEST(IntegerValue, RoundsHalvesToTheEvenNeighbour) {
  const struct {
    double numeric;
    int16_t value;
  } cases[] = {
      {2.5, 2},  {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},         {1.5, 2},           {2.4, 2},         {2.6, 3},
      {-0.4, 0}, {-0.6, -1}, {5.5, 6},   {4.5, 4},   {32767.4, 32767}, {-32768.5, -32768}, {-32768, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(integerValue(c.numeric), c.value) << c.numeric;
}

TEST(IntegerValue, RefusesValuesOutsideSixteenBits) {
  const double refused[] = {32767.5,
                            32768,
                            -32768.6,
                            -32769,
                            1e10,
                            -40000,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::nan("")};
  for (double d : refused) EXPECT_FALSE(integerValue(d).has_value()) << d;
}

}  // namespace
}  // namespace zumaro
