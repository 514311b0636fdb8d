// The block-at-a-time UTF-8 paths against a plain loop of ICU's macros:
// same characters, same stop, at every length around the block edges.
#include "text/utf8_codec.h"

#include <gtest/gtest.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <random>
#include <string>
#include <vector>

#include "testing/codec_results.h"

namespace zumaro {
namespace {

using testing::Decoded;
using testing::Encoded;

Decoded referenceDecode(const std::string& s, bool atEnd) {
  const auto* p = reinterpret_cast<const uint8_t*>(s.data());
  const auto size = static_cast<int32_t>(s.size());
  Text text;
  for (int32_t i = 0; i < size;) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(p, i, size, c);
    if (c < 0) {
      const bool cut = i == size && p[start] >= 0xC2 && p[start] <= 0xF4;
      return {text, static_cast<size_t>(start), !cut || atEnd};
    }
    if (c <= 0xFFFF) {
      text += static_cast<char16_t>(c);
    } else {
      text += static_cast<char16_t>(U16_LEAD(c));
      text += static_cast<char16_t>(U16_TRAIL(c));
    }
  }
  return {text, s.size(), false};
}

Encoded referenceEncode(const Text& text, bool doubleQuotes) {
  Encoded e{"", true, 0};
  for (size_t i = 0; i < text.size();) {
    const size_t start = i;
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (U_IS_SURROGATE(c)) return {e.bytes, false, start};
    if (c == '"' && doubleQuotes) e.bytes += '"';
    uint8_t buffer[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, c);
    e.bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
  }
  return e;
}

// Mostly ASCII, with characters of every length, bad sequences and cut ones.
const std::vector<std::string> kPieces = {"a",
                                          ",",
                                          "\"",
                                          std::string(1, '\0'),
                                          "\x7F",
                                          "\xC3\xA9",
                                          "\xEF\xBD\xB1",
                                          "\xE5\x8C\x97",
                                          "\xF0\xA0\xAE\xB7",
                                          "\x80",
                                          "\xC0\x80",
                                          "\xED\xA0\x80",
                                          "\xF5",
                                          "\xFF",
                                          "\xE3\x81",
                                          "\xF0\xA0"};
const std::vector<char16_t> kUnits = {u'a', u'"', 0, 0x7F, 0x80, 0xE9, 0x7FF, 0x800, 0xFF71, 0xFFFF, 0xD842, 0xDFB7};

std::vector<size_t> lengths() {
  std::vector<size_t> all;
  for (size_t n = 0; n <= 100; ++n) all.push_back(n);
  for (size_t n : {340, 341, 342, 1023, 1024, 1025, 3000}) all.push_back(n);
  return all;
}

TEST(Utf8Codec, DecodeAndValidateMatchThePlainLoopOnRandomBytes) {
  std::mt19937 rng(8);
  for (size_t pieces : lengths())
    for (int round = 0; round < 20; ++round) {
      std::string s;
      for (size_t k = 0; k < pieces; ++k)
        s += rng() % 4 != 0 ? std::string(1, "ab-1 "[rng() % 5]) : kPieces[rng() % kPieces.size()];
      for (bool atEnd : {false, true}) {
        Decoded fast{u"\u3042", 0, false};  // appends to what is there
        const Utf8Stop stop = decodeUtf8(s.data(), s.size(), atEnd, fast.text);
        fast = {fast.text.substr(1), stop.consumed, stop.invalid};
        const Decoded expected = referenceDecode(s, atEnd);
        ASSERT_EQ(fast, expected) << ::testing::PrintToString(s) << " atEnd " << atEnd;
        const Utf8Stop checked = validateUtf8(s.data(), s.size(), atEnd);
        ASSERT_EQ(checked.consumed, expected.consumed) << ::testing::PrintToString(s);
        ASSERT_EQ(checked.invalid, expected.invalid) << ::testing::PrintToString(s);
      }
    }
}

TEST(Utf8Codec, EncodeMatchesThePlainLoopOnRandomTexts) {
  std::mt19937 rng(16);
  for (size_t size : lengths())
    for (int round = 0; round < 20; ++round) {
      Text text;
      for (size_t k = 0; k < size; ++k) text += rng() % 4 != 0 ? u"ab-1 "[rng() % 5] : kUnits[rng() % kUnits.size()];
      for (bool doubleQuotes : {false, true}) {
        Encoded fast{"x", true, 0};
        fast.ok = encodeUtf8(text, fast.bytes, fast.bad, doubleQuotes);
        fast.bytes.erase(0, 1);
        if (fast.ok) fast.bad = 0;
        ASSERT_EQ(fast, referenceEncode(text, doubleQuotes)) << ::testing::PrintToString(text);
        // Straight into room: the same bytes, or the same verdict.
        std::string room(3 * text.size() + 1, '\0');
        Encoded direct{"", true, 0};
        const char* end = encodeUtf8Into(text, room.data(), direct.bad, doubleQuotes);
        direct.ok = end != nullptr;
        direct.bytes = end != nullptr ? std::string(room.c_str(), end) : fast.bytes;
        if (direct.ok) direct.bad = 0;
        ASSERT_EQ(direct, fast) << ::testing::PrintToString(text);
      }
    }
}

}  // namespace
}  // namespace zumaro
