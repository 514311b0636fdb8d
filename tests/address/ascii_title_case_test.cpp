// Title case in steps of eight against the same conversion one character at
// a time (too short for any step), at every length around the step edges.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "address/string_conversion.h"

namespace zumaro {
namespace {

constexpr int kTitle = 3, kUpper = 1, kLower = 2;

bool separatesWords(char16_t c) { return c == u' ' || c == u'\u3000' || c == 0 || (c >= u'\t' && c <= u'\r'); }

Text titleCaseByCharacter(TextView text) {
  Text out;
  bool wordStart = true;
  for (const char16_t c : text) {
    out += convertString(TextView(&c, 1), wordStart ? kUpper : kLower);
    wordStart = separatesWords(c);
  }
  return out;
}

void expectSame(const Text& text) {
  EXPECT_EQ(convertString(text, kTitle), titleCaseByCharacter(text)) << toUtf8(text);
}

// Every unit of ASCII, and a few beyond, at every place of a text that
// ends within, at or just past a step.
TEST(AsciiTitleCase, EveryUnitAtEveryPlace) {
  std::vector<char16_t> units = {0x80, 0xDF, 0xE4, 0x3000, 0xFF41, 0xFF76, 0xD801};
  for (char16_t c = 0; c < 0x80; ++c) units.push_back(c);
  for (size_t size : {7, 8, 9, 15, 16, 17, 23}) {
    for (size_t at = 0; at < size; ++at) {
      for (const char16_t c : units) {
        Text text = Text(u"aB cD\teF gh Ij\nkL mN oP qR").substr(0, size);
        text[at] = c;
        expectSame(text);
      }
    }
  }
}

TEST(AsciiTitleCase, GeneratedTexts) {
  const std::vector<Text> pieces = {u"a", u"Z", u"m",    u"Q", u" ", u"\t", u"\r\n",   u"-",  u"0",  u"@",         u"[",
                                    u"`", u"{", u"\x7F", u"ä", u"Ä", u"ß",  u"\u3000", u"ａ", u"ｶﾞ", u"\U00010428"};
  std::mt19937 random(15);
  for (int round = 0; round < 4000; ++round) {
    Text text;
    const size_t size = random() % 41;
    while (text.size() < size) text += pieces[random() % pieces.size()];
    expectSame(text);
  }
}

}  // namespace
}  // namespace zumaro
