#include "text/codepage.h"

#include <gtest/gtest.h>

#include <unicode/ucnv.h>

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

// The tables are read from ICU a whole range per call; each pair and each
// character asked of ICU alone must give the same, the three control codes
// the tables map as Windows does apart.
struct Icu {
  Icu() {
    UErrorCode status = U_ZERO_ERROR;
    converter.reset(ucnv_open("ibm-943_P15A-2003", &status));
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  // The one character the bytes are, or nothing.
  Text decode(const std::string& bytes) const {
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter.get());
    const int32_t n = ucnv_toUChars(converter.get(), out, 4, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    return U_FAILURE(status) || n != 1 ? Text() : Text(1, out[0]);
  }
  std::string encode(char16_t c) const {
    char out[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter.get());
    const int32_t n = ucnv_fromUChars(converter.get(), out, 8, reinterpret_cast<const UChar*>(&c), 1, &status);
    return U_FAILURE(status) ? std::string() : std::string(out, static_cast<size_t>(n));
  }
  std::unique_ptr<UConverter, decltype(&ucnv_close)> converter{nullptr, &ucnv_close};
};

TEST(CodePage932, TablesAgreeWithIcuOneCharacterAtATime) {
  const Icu icu;
  for (int lead = 0; lead < 256; ++lead) {
    if (!cp().isLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      bool ok = false;
      const Text ours = cp().decodeAll(pair, ok);
      ASSERT_EQ(ok ? ours : Text(), icu.decode(pair)) << lead << " " << trail;
    }
  }
  for (int u = 0; u < 0x10000; ++u) {
    if ((u >= 0xD800 && u <= 0xDFFF) || u == 0x1A || u == 0x1C || u == 0x7F) continue;
    std::string ours;
    size_t bad = 0;
    if (!cp().encode(Text(1, static_cast<char16_t>(u)), ours, bad)) ours.clear();
    ASSERT_EQ(ours, icu.encode(static_cast<char16_t>(u))) << std::hex << u;
  }
}

}  // namespace
}  // namespace zumaro
