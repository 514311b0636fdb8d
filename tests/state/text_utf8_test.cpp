// Text to UTF-8 as ICU's own conversion gives it, over random texts of
// every kind of unit, unpaired surrogates included.
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

}  // namespace
}  // namespace zumaro
