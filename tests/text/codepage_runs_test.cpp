// The block-at-a-time paths against a plain loop over the same tables, read
// back one character at a time (too short for any block): same characters,
// same stop, same verdict, at every length around the block edges.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "testing/codec_results.h"
#include "text/codepage.h"

namespace zumaro {
namespace {

using testing::Decoded;
using testing::Encoded;

const CodePage932& cp() { return CodePage932::instance(); }

// Character of one byte, or of a pair; -1 where the bytes are not one.
int charOf(std::string_view bytes) {
  bool ok = false;
  const Text t = cp().decodeAll(bytes, ok);
  return ok && t.size() == 1 ? t[0] : -1;
}

Decoded referenceDecode(const std::string& s, bool atEnd) {
  Decoded d{u"", 0, false};
  for (size_t i = 0; i < s.size(); d.consumed = i) {
    if (int ch = charOf(s.substr(i, 1)); ch >= 0) {
      d.text += static_cast<char16_t>(ch);
      i += 1;
    } else if (!cp().isLeadByte(static_cast<unsigned char>(s[i]))) {
      return {d.text, i, true};
    } else if (i + 1 == s.size()) {
      return {d.text, i, atEnd};
    } else if (int pair = charOf(s.substr(i, 2)); pair >= 0) {
      d.text += static_cast<char16_t>(pair);
      i += 2;
    } else {
      return {d.text, i, true};
    }
  }
  return d;
}

Encoded referenceEncode(const Text& text, bool doubleQuotes) {
  Encoded e{"", true, 0};
  for (size_t i = 0; i < text.size(); ++i) {
    size_t ignored = 0;
    if (!cp().encode(text.substr(i, 1), e.bytes, ignored, doubleQuotes)) return {e.bytes, false, i};
  }
  return e;
}

// Mostly characters of one byte, as in lists, with every other kind mixed in.
const std::vector<std::string> kBytePieces = {
    "a",        "Z",        "0",        ",",        "\"",       std::string(1, '\0'),
    "\x1A",     "\x5C",     "\x7E",     "\x7F",     "\xA1",     "\xB1",
    "\xDE",     "\xDF",     "\x80",     "\xA0",     "\xE0",     "\xFD",
    "\xFF",     "\x82\xA0", "\x96\x6B", "\x87\x40", "\xFA\x40", "\x81\x20",
    "\x82\xFD", "\x81"};
const std::vector<char16_t> kUnits = {u'a',   u'~',   u'\\',  u'"',   0,      0x7F,   0x80,   0xA5,   0xFF5F, 0xFF60,
                                      0xFF61, 0xFF71, 0xFF9F, 0xFFA0, 0x3042, 0x5317, 0xFF0D, 0x2212, 0xD842, 0xDFB7};

std::string randomBytes(std::mt19937& rng, size_t pieces) {
  std::string s;
  for (size_t k = 0; k < pieces; ++k)
    s += rng() % 4 != 0 ? std::string(1, "ab\xB1\xDF-1 "[rng() % 7]) : kBytePieces[rng() % kBytePieces.size()];
  return s;
}

Text randomText(std::mt19937& rng, size_t size) {
  Text t;
  for (size_t k = 0; k < size; ++k)
    t += rng() % 4 != 0 ? u"ab\uFF71\uFF9F-1 "[rng() % 7] : kUnits[rng() % kUnits.size()];
  return t;
}

void expectSameAsReference(const std::string& s) {
  for (bool atEnd : {false, true}) {
    Decoded fast{u"\u3042", 0, false};  // appends to what is there
    const auto stop = cp().decode(s.data(), s.size(), atEnd, fast.text);
    fast = {fast.text.substr(1), stop.consumed, stop.invalid};
    const Decoded expected = referenceDecode(s, atEnd);
    ASSERT_EQ(fast, expected) << ::testing::PrintToString(s) << " atEnd " << atEnd;
    const auto checked = cp().validate(s.data(), s.size(), atEnd);
    ASSERT_EQ(checked.consumed, expected.consumed) << ::testing::PrintToString(s);
    ASSERT_EQ(checked.invalid, expected.invalid) << ::testing::PrintToString(s);
  }
  const Decoded whole = referenceDecode(s, true);
  const bool same = whole.consumed == s.size() && !whole.invalid && referenceEncode(whole.text, false).bytes == s;
  ASSERT_EQ(cp().encodesBackTheSame(s), same) << ::testing::PrintToString(s);
}

// Lengths up to 100 meet every block edge; those near 1024 and beyond meet
// the edges of the chunks the output is gathered in.
std::vector<size_t> lengths() {
  std::vector<size_t> all;
  for (size_t n = 0; n <= 100; ++n) all.push_back(n);
  for (size_t n : {511, 512, 513, 1023, 1024, 1025, 2047, 2049, 3000}) all.push_back(n);
  return all;
}

TEST(CodePage932Runs, DecodeValidateAndRoundTripMatchThePlainLoopOnRandomBytes) {
  std::mt19937 rng(932);
  for (size_t pieces : lengths())
    for (int round = 0; round < 20; ++round) expectSameAsReference(randomBytes(rng, pieces));
}

// Every byte value at every place in runs of one-byte characters, the last
// place making a lone lead byte.
TEST(CodePage932Runs, EveryByteAtEveryPlaceOfARun) {
  for (size_t size = 1; size <= 40; ++size)
    for (size_t at = 0; at < size; ++at)
      for (int b = 0; b < 256; ++b) {
        std::string s(size, '\xB1');
        for (size_t k = 0; k < size; k += 3) s[k] = 'a';
        s[at] = static_cast<char>(b);
        expectSameAsReference(s);
      }
}

TEST(CodePage932Runs, EncodeMatchesThePlainLoopOnRandomTexts) {
  std::mt19937 rng(943);
  for (size_t size : lengths())
    for (int round = 0; round < 20; ++round) {
      const Text text = randomText(rng, size);
      for (bool doubleQuotes : {false, true}) {
        Encoded fast{"x", true, 0};
        fast.ok = cp().encode(text, fast.bytes, fast.bad, doubleQuotes);
        fast.bytes.erase(0, 1);
        if (fast.ok) fast.bad = 0;
        ASSERT_EQ(fast, referenceEncode(text, doubleQuotes)) << ::testing::PrintToString(text);
        // Straight into room: the same bytes, or the same verdict.
        std::string room(2 * text.size(), '\0');
        Encoded direct{"", true, 0};
        const char* end = cp().encodeInto(text, room.data(), direct.bad, doubleQuotes);
        direct.ok = end != nullptr;
        direct.bytes = end != nullptr ? std::string(room.c_str(), end) : fast.bytes;
        if (direct.ok) direct.bad = 0;
        ASSERT_EQ(direct, fast) << ::testing::PrintToString(text);
      }
    }
}

void expectEncodedAsReference(const Text& text) {
  for (bool doubleQuotes : {false, true}) {
    std::string room(2 * text.size(), '\0');
    Encoded direct{"", true, 0};
    const char* end = cp().encodeInto(text, room.data(), direct.bad, doubleQuotes);
    const Encoded expected = referenceEncode(text, doubleQuotes);
    direct.ok = end != nullptr;
    direct.bytes = end != nullptr ? std::string(room.c_str(), end) : expected.bytes;
    if (direct.ok) direct.bad = 0;
    ASSERT_EQ(direct, expected) << ::testing::PrintToString(text);
  }
}

// Every kind of unit at every place of a run of double-byte characters,
// taken two at a time, and of a run of one-byte characters, taken a block
// (or the first and last halves of one) at a time.
TEST(CodePage932Runs, EveryUnitAtEveryPlaceOfARun) {
  for (const char16_t runUnit : {u'\u6771', u'a', u'\uFF71'})
    for (size_t size = 1; size <= 40; ++size)
      for (size_t at = 0; at < size; ++at)
        for (const char16_t unit : kUnits) {
          Text text(size, runUnit);
          text[at] = unit;
          expectEncodedAsReference(text);
        }
}

// The runs rely on these two ranges mapping by plain arithmetic both ways.
TEST(CodePage932Runs, AsciiAndHalfWidthKatakanaMapOneToOne) {
  const struct {
    int first, last;
    char16_t firstChar;
  } ranges[] = {{0x00, 0x7F, u'\0'}, {0xA1, 0xDF, u'\uFF61'}};
  for (const auto& r : ranges)
    for (int b = r.first; b <= r.last; ++b) {
      const std::string byte(1, static_cast<char>(b));
      const Text ch(1, static_cast<char16_t>(r.firstChar + (b - r.first)));
      EXPECT_EQ(charOf(byte), ch[0]) << b;
      EXPECT_EQ(referenceEncode(ch, false).bytes, byte) << b;
      EXPECT_TRUE(cp().encodesBackTheSame(byte)) << b;
    }
}

}  // namespace
}  // namespace zumaro
