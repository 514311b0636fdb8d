#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir.h"
#include "text/utf8_codec.h"

namespace zumaro {
namespace {

using testing::cp932;

const std::string kBom(kByteOrderMark);
const std::string kUtf8Kana = "ﾄｳｷﾖｳﾄ,東京都";  // UTF-8 source text

std::string ascii(size_t bytes) {
  std::string out;
  while (out.size() < bytes) out += "abc,123\r\n";
  out.resize(bytes);
  return out;
}

// UTF-8 text of exactly `bytes` bytes, three-byte characters padded with x.
std::string utf8Sample(size_t bytes) {
  std::string out;
  while (out.size() + 3 <= bytes) out += "ア";
  out += std::string(bytes - out.size(), 'x');
  return out;
}

TEST(DetectEncoding, DecidesByByteOrderMarkThenByTheFirstNonAsciiBytes) {
  const std::string threeByte = "ア";  // E3 82 A2
  const struct {
    const char* name;
    std::string bytes;
    TextEncoding expected;
  } cases[] = {
      {"empty", "", TextEncoding::Cp932},
      {"plain ASCII", ascii(200000), TextEncoding::Cp932},
      {"byte-order mark", kBom + kUtf8Kana, TextEncoding::Utf8WithBom},
      {"byte-order mark alone", kBom, TextEncoding::Utf8WithBom},
      {"byte-order mark before code page 932 bytes", kBom + cp932(kUtf8Kana), TextEncoding::Utf8WithBom},
      {"UTF-8 without a mark", kUtf8Kana, TextEncoding::Utf8},
      {"code page 932", cp932(kUtf8Kana), TextEncoding::Cp932},
      {"UTF-8 after 70 KiB of ASCII", ascii(70 * 1024) + kUtf8Kana, TextEncoding::Utf8},
      {"code page 932 after 70 KiB of ASCII", ascii(70 * 1024) + cp932(kUtf8Kana), TextEncoding::Cp932},
      // The sample ends one byte into a three-byte character.
      {"character cut at the end of the sample", utf8Sample(kEncodingSample - 1) + threeByte + "x", TextEncoding::Utf8},
      {"character cut two bytes in", ascii(100) + utf8Sample(kEncodingSample - 2) + threeByte, TextEncoding::Utf8},
      // Invalid bytes after the sample do not change the decision.
      {"invalid bytes beyond the sample", utf8Sample(kEncodingSample) + "\x80\x80", TextEncoding::Utf8},
      {"invalid bytes at the end of the sample", utf8Sample(kEncodingSample - 1) + "\x80", TextEncoding::Cp932},
      // A character cut by the end of the data is invalid.
      {"character cut by the end of the data", kUtf8Kana + threeByte.substr(0, 2), TextEncoding::Cp932},
      {"surrogate in UTF-8 form", "a\xED\xA0\x80", TextEncoding::Cp932},
      {"overlong form", "a\xC0\xAF", TextEncoding::Cp932},
      // Known limit: half-width katakana ﾂ (C2) and ｱ (B1) in code page 932
      // are also the UTF-8 form of U+00B1; alone, they read as UTF-8.
      {"code page 932 that is valid UTF-8", "\xC2\xB1", TextEncoding::Utf8},
  };
  for (const auto& c : cases) EXPECT_EQ(detectEncoding(c.bytes), c.expected) << c.name;
}

TEST(DetectEncoding, PiecesGivenOneByteAtATimeDecideAsTheWhole) {
  for (const std::string& bytes : {kBom + "x", cp932(kUtf8Kana), std::string(kUtf8Kana), ascii(10)}) {
    EncodingSniffer sniffer;
    for (char c : bytes) sniffer.take(std::string_view(&c, 1));
    EXPECT_EQ(sniffer.result(), detectEncoding(bytes)) << bytes;
  }
}

TEST(DetectEncoding, FileIsReadOnPastPlainAscii) {
  testing::TempDir dir;
  const struct {
    std::string bytes;
    TextEncoding expected;
  } cases[] = {
      {ascii(300000) + kUtf8Kana, TextEncoding::Utf8},
      {ascii(300000) + cp932(kUtf8Kana), TextEncoding::Cp932},
      {kBom, TextEncoding::Utf8WithBom},
  };
  for (const auto& c : cases) {
    testing::writeBytes(dir.file("in.csv"), c.bytes);
    EXPECT_EQ(detectFileEncoding(dir.file("in.csv")), c.expected);
  }
  EXPECT_EQ(detectFileEncoding(dir.file("none.csv")), std::nullopt);
}

TEST(EncodingNames, RoundTripAndRefuseOthers) {
  for (TextEncoding e : {TextEncoding::Cp932, TextEncoding::Utf8, TextEncoding::Utf8WithBom})
    EXPECT_EQ(encodingNamed(encodingName(e)), e);
  EXPECT_EQ(encodingNamed("shift_jis"), std::nullopt);
  EXPECT_EQ(encodingChoiceNamed("auto"), EncodingChoice::Auto);
  EXPECT_EQ(encodingChoiceNamed("utf-8-bom"), std::nullopt);
}

struct Decoded {
  std::string text;  // UTF-8
  size_t consumed;
  bool invalid;
};

Decoded decode(const std::string& bytes, bool atEnd) {
  Text out;
  const Utf8Stop stop = decodeUtf8(bytes.data(), bytes.size(), atEnd, out);
  return {toUtf8(out), stop.consumed, stop.invalid};
}

TEST(Utf8Codec, StopsBeforeInvalidBytesAndWaitsForACutCharacter) {
  const struct {
    std::string bytes;
    bool atEnd;
    std::string text;
    size_t consumed;
    bool invalid;
  } cases[] = {
      {"aア𠮷", true, "aア𠮷", 8, false},
      {"a\xE3\x82", false, "a", 1, false},  // cut: more may come
      {"a\xE3\x82", true, "a", 1, true},    // cut by the end of the data
      {"a\xF0\x9F", false, "a", 1, false},
      {"a\xE3\x41", false, "a", 1, true},  // a bad trail is invalid however the block ends
      {"a\xC0", false, "a", 1, true},      // never a lead byte
      {"a\x80z", false, "a", 1, true},
      {"ab\xED\xA0\x80", true, "ab", 2, true},  // a surrogate's form
  };
  for (const auto& c : cases) {
    const Decoded d = decode(c.bytes, c.atEnd);
    EXPECT_EQ(d.text, c.text) << c.bytes;
    EXPECT_EQ(d.consumed, c.consumed) << c.bytes;
    EXPECT_EQ(d.invalid, c.invalid) << c.bytes;
  }
}

TEST(Utf8Codec, EncodesEveryCharacterButALoneSurrogate) {
  std::string out;
  size_t bad = 99;
  ASSERT_TRUE(encodeUtf8(fromUtf8("aヴ𠮷\xEF\xBF\xBF"), out, bad));
  EXPECT_EQ(out, "aヴ𠮷\xEF\xBF\xBF");
  out.clear();
  const Text lone = {u'a', u'b', char16_t(0xD842), u'c'};
  EXPECT_FALSE(encodeUtf8(lone, out, bad));
  EXPECT_EQ(bad, 2u);
  EXPECT_EQ(out, "ab");
}

}  // namespace
}  // namespace zumaro
