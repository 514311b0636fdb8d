#include "text/codepage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zumaro {
namespace {

const CodePage932& cp() { return CodePage932::instance(); }

Text decodeOk(const std::string& bytes) {
  bool ok = false;
  Text text = cp().decodeAll(bytes, ok);
  EXPECT_TRUE(ok) << "bytes not accepted";
  return text;
}

std::string encodeOk(const Text& text) {
  std::string out;
  size_t bad = 99;
  EXPECT_TRUE(cp().encode(text, out, bad)) << "stopped at " << bad;
  return out;
}

// The three characters where code page 932 tables disagree, plus one
// character of each extension block, must map both ways as Windows does.
TEST(CodePage932, MapsDisputedCharactersAndExtensionsBothWays) {
  const struct {
    std::string bytes;
    char16_t ch;
  } cases[] = {
      {"\x5C", u'\u005C'},      // backslash, not the yen sign
      {"\x81\x7C", u'\uFF0D'},  // full-width hyphen-minus, not U+2212
      {"\x81\x60", u'\uFF5E'},  // full-width tilde, not the wave dash
      {"\x87\x40", u'\u2460'},  // NEC row 13: circled digit one
      {"\xFA\x40", u'\u2170'},  // IBM extension: small roman numeral one
      {"\xB1", u'\uFF71'},      // half-width katakana A
      {"\x82\xA0", u'\u3042'},  // hiragana A
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodeOk(c.bytes), Text(1, c.ch)) << std::hex << static_cast<int>(c.ch);
    EXPECT_EQ(encodeOk(Text(1, c.ch)), c.bytes) << std::hex << static_cast<int>(c.ch);
  }
  EXPECT_EQ(decodeOk("a\x82\xA0"
                     "b\xB1"),
            u"aあbｱ");
}

TEST(CodePage932, StopsBeforeInvalidBytes) {
  const struct {
    std::string bytes;
    size_t consumed;
    size_t chars;  // decoded before the stop
  } cases[] = {
      {"ab\x80", 2, 2},    {"a\xA0z", 1, 1},
      {"\xFD", 0, 0},      {"xy\x82\xA0\x81", 4, 3},  // lead byte with nothing after it
      {"a\x81\x20", 1, 1},                            // trail outside the trail range
      {"a\x82\xFD", 1, 1},                            // trail in range but unassigned
  };
  for (const auto& c : cases) {
    Text out;
    auto stop = cp().decode(c.bytes.data(), c.bytes.size(), true, out);
    EXPECT_TRUE(stop.invalid) << c.consumed;
    EXPECT_EQ(stop.consumed, c.consumed);
    EXPECT_EQ(out.size(), c.chars);
    bool ok = true;
    cp().decodeAll(c.bytes, ok);
    EXPECT_FALSE(ok);
  }
}

// A lead byte at the end of one block is only held back: its trail may
// arrive with the next block.
TEST(CodePage932, HoldsBackALeadByteWhenMoreBytesFollow) {
  const std::string bytes = "a\x82";
  Text out;
  auto stop = cp().decode(bytes.data(), bytes.size(), false, out);
  EXPECT_FALSE(stop.invalid);
  EXPECT_EQ(stop.consumed, 1u);
  EXPECT_EQ(out, u"a");
}

TEST(CodePage932, ReportsTheIndexOfTheFirstUnencodableCharacter) {
  const struct {
    Text text;
    size_t index;
    std::string before;
  } cases[] = {
      {u"ab\u00A5c", 2, "ab"},             // yen sign has no form of its own
      {u"\u3042\u2212", 1, "\x82\xA0"},    // minus sign
      {u"x\U00020BB7y", 1, "x"},           // surrogate pair outside the code page
      {Text(1, char16_t{0xD842}), 0, ""},  // lone surrogate
  };
  for (const auto& c : cases) {
    std::string out;
    size_t bad = 99;
    EXPECT_FALSE(cp().encode(c.text, out, bad));
    EXPECT_EQ(bad, c.index);
    EXPECT_EQ(out, c.before);
  }
}

TEST(CodePage932, KeepsNulAsciiAndControlCodesUnchanged) {
  const std::string ascii("A\0,\"\r\n~", 7);
  EXPECT_EQ(encodeOk(decodeOk(ascii)), ascii);
  // Every byte below 0x80 is the character of the same code, as on Windows.
  for (int b = 0; b < 0x80; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(decodeOk(byte), Text(1, static_cast<char16_t>(b))) << b;
    EXPECT_EQ(encodeOk(Text(1, static_cast<char16_t>(b))), byte) << b;
  }
}

}  // namespace
}  // namespace zumaro
