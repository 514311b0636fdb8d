// Text to and from UTF-8 as ICU's own conversions give it, over random
// texts of every kind of unit (unpaired surrogates included) and random
// bytes of every kind of sequence (ill-formed ones included).
#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include "testing/rng.h"
#include "text/text.h"

namespace zumaro {
namespace {

std::string icuUtf8(TextView text) {
  std::string out;
  icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()))
      .toUTF8String(out);
  return out;
}

TEST(TextToUtf8, GivesWhatIcuGives) {
  // ASCII, two-byte, three-byte, half-width kana, a pair's halves.
  const char16_t units[] = {u'A',   u'\0',  u',',   0x00E9, 0x07FF, 0x0800, u'東',
                            0xFF76, 0xFFFF, 0xD83D, 0xDE00, 0xDBFF, 0xDC00};
  bench::Rng rng(5);
  int wrong = 0;
  for (int round = 0; round < 5000 && wrong < 5; ++round) {
    Text text;
    for (int n = static_cast<int>(rng.below(40)); n > 0; --n) text.push_back(units[rng.below(std::size(units))]);
    if (toUtf8(text) != icuUtf8(text)) {
      ++wrong;
      ADD_FAILURE() << "round " << round << ": " << icuUtf8(text);
    }
  }
}

TEST(TextFromUtf8, GivesWhatIcuGives) {
  // Whole sequences of one to four bytes, and bytes that break them: lone
  // trail bytes, a lead without its trail, overlong and surrogate forms.
  const std::string pieces[] = {
      "A",    ",",        "\xC3\xA9", "\xE6\x9D\xB1", "\xEF\xBD\xB6", "\xF0\x9F\x98\x80", "\x80", "\xBF",
      "\xC3", "\xE6\x9D", "\xF0\x9F", "\xC0\xAF",     "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", std::string(1, '\0')};
  bench::Rng rng(6);
  int wrong = 0;
  for (int round = 0; round < 5000 && wrong < 5; ++round) {
    std::string bytes;
    for (int n = static_cast<int>(rng.below(30)); n > 0; --n) bytes += pieces[rng.below(std::size(pieces))];
    const icu::UnicodeString icu = icu::UnicodeString::fromUTF8(bytes);
    const Text expected(reinterpret_cast<const char16_t*>(icu.getBuffer()), static_cast<size_t>(icu.length()));
    if (fromUtf8(bytes) != expected) {
      ++wrong;
      ADD_FAILURE() << "round " << round << ": " << bytes.size() << " bytes";
    }
  }
}

}  // namespace
}  // namespace zumaro
