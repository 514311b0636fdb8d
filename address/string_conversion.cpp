#include "address/string_conversion.h"

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "address/ascii_title_case.h"
#include "text/icu_source.h"

namespace zumaro {

namespace {

enum : int {
  kUpper = 1,
  kLower = 2,
  kTitle = 3,
  kFullWidth = 4,
  kHalfWidth = 8,
  kToKatakana = 16,
  kToHiragana = 32,
};

constexpr char16_t kHalfKanaFirst = 0xFF61;   // ｡
constexpr char16_t kHalfKanaLast = 0xFF9F;    // ﾟ
constexpr char16_t kHalfVoiced = 0xFF9E;      // ﾞ
constexpr char16_t kHalfSemiVoiced = 0xFF9F;  // ﾟ
constexpr char16_t kVoicedMark = 0x309B;      // ゛
constexpr char16_t kSemiVoicedMark = 0x309C;  // ゜
constexpr char16_t kIdeographicSpace = 0x3000;

// The Japanese block, U+3000–U+30FF, indexed from its start.
constexpr char16_t kJapaneseFirst = 0x3000;
constexpr size_t kJapaneseSize = 0x100;

struct Tables {
  // Simple per-code-point mappings: never lengthen the text, so the
  // converted fields keep their lengths predictable.
  std::array<char16_t, 0x10000> upper{};
  std::array<char16_t, 0x10000> lower{};
  // widenUnit for every unit: one load where the branches of a mixed field
  // of digits and kana would often be guessed wrong.
  std::array<char16_t, 0x10000> wide{};
  std::array<char16_t, kHalfKanaLast - kHalfKanaFirst + 1> halfKanaToFull{};
  // A kana with ゛ or ゜ added, 0 where no such letter exists.
  std::array<char16_t, kJapaneseSize> withVoiced{};
  std::array<char16_t, kJapaneseSize> withSemiVoiced{};
  // The half-width form of the Japanese block: up to two units, {0, 0} for
  // "unchanged".
  std::array<std::array<char16_t, 2>, kJapaneseSize> narrow{};
};

char16_t widenUnit(const Tables& t, char16_t c);

std::unique_ptr<Tables> buildTables() {
  auto t = std::make_unique<Tables>();
  UnicodeSource unicode;
  readUnicode(unicode);
  for (size_t c = 0; c < t->upper.size(); ++c) t->upper[c] = t->lower[c] = static_cast<char16_t>(c);
  for (const auto& [c, up] : unicode.upper) t->upper[c] = up;
  for (const auto& [c, low] : unicode.lower) t->lower[c] = low;

  for (char16_t h = kHalfKanaFirst; h <= kHalfKanaLast; ++h) {
    const char16_t full = unicode.halfKanaNfkc[h - kHalfKanaFirst];
    t->halfKanaToFull[h - kHalfKanaFirst] = full != 0 ? full : h;
  }
  // NFKC turns the half-width marks into combining ones; a list field wants
  // the spacing marks.
  t->halfKanaToFull[kHalfVoiced - kHalfKanaFirst] = kVoicedMark;
  t->halfKanaToFull[kHalfSemiVoiced - kHalfKanaFirst] = kSemiVoicedMark;
  t->withVoiced = unicode.withVoiced;
  t->withSemiVoiced = unicode.withSemiVoiced;

  t->narrow[kIdeographicSpace - kJapaneseFirst] = {u' ', 0};
  for (char16_t h = kHalfKanaFirst; h < kHalfVoiced; ++h) {
    char16_t full = t->halfKanaToFull[h - kHalfKanaFirst];
    if (full >= kJapaneseFirst && full < kJapaneseFirst + kJapaneseSize) t->narrow[full - kJapaneseFirst] = {h, 0};
  }
  t->narrow[kVoicedMark - kJapaneseFirst] = {kHalfVoiced, 0};
  t->narrow[kSemiVoicedMark - kJapaneseFirst] = {kHalfSemiVoiced, 0};
  // Voiced katakana split into base and half-width mark; a base without a
  // half-width form (ヰ ヱ ヽ) stays full width.
  for (char16_t k = 0x30A0; k <= 0x30FF; ++k) {
    auto& slot = t->narrow[k - kJapaneseFirst];
    if (slot[0] != 0) continue;
    const auto [base, combining] = unicode.katakanaDecomposition[k - 0x30A0];
    if (base == 0) continue;
    char16_t mark = combining == 0x3099 ? kHalfVoiced : kHalfSemiVoiced;
    if (base < kJapaneseFirst || base >= kJapaneseFirst + kJapaneseSize) continue;
    char16_t halfBase = t->narrow[base - kJapaneseFirst][0];
    slot = {halfBase != 0 ? halfBase : base, mark};
  }
  for (size_t c = 0; c < t->wide.size(); ++c) t->wide[c] = widenUnit(*t, static_cast<char16_t>(c));
  return t;
}

const Tables& tables() {
  static const std::unique_ptr<Tables> instance = buildTables();
  return *instance;
}

bool inJapaneseBlock(char16_t c) { return c >= kJapaneseFirst && c < kJapaneseFirst + kJapaneseSize; }

char16_t widenUnit(const Tables& t, char16_t c) {
  if (c < 0x7F) {
    if (c == u' ') return kIdeographicSpace;
    // 0x5C shows as the yen sign on a Japanese screen and has no
    // full-width partner of its own there.
    if (c > 0x20 && c != u'\\') return static_cast<char16_t>(c + 0xFEE0);
    return c;
  }
  if (c == 0x00A5) return 0xFFE5;
  if (c >= kHalfKanaFirst && c <= kHalfKanaLast) return t.halfKanaToFull[c - kHalfKanaFirst];
  return c;
}

// A voiced mark joins the character before it, so the text never grows and
// is written over as it is read. Only text[from..] is widened, and a mark
// there never joins a character before `from`.
void widen(const Tables& t, Text& text, size_t from = 0) {
  size_t out = from;
  for (size_t i = from; i < text.size(); ++i) {
    const char16_t w = t.wide[text[i]];
    const bool mark = static_cast<unsigned>(w - kVoicedMark) <= 1u;  // ゛ or ゜, which follow each other
    if (!mark || out == from) {
      text[out++] = w;
      continue;
    }
    const size_t before = static_cast<size_t>(text[out - 1] - kJapaneseFirst);
    const char16_t combined = before >= kJapaneseSize ? 0
                              : w == kVoicedMark      ? t.withVoiced[before]
                                                      : t.withSemiVoiced[before];
    if (combined != 0) {
      text[out - 1] = combined;
    } else {
      text[out++] = w;
    }
  }
  text.erase(out);  // never longer: erasing needs no room
}

Text narrow(const Tables& t, TextView text) {
  Text out;
  out.reserve(text.size() + text.size() / 2);
  for (char16_t c : text) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
      out.push_back(c == 0xFF3C ? c : static_cast<char16_t>(c - 0xFEE0));
    } else if (inJapaneseBlock(c)) {
      const auto& n = t.narrow[c - kJapaneseFirst];
      if (n[0] == 0) {
        out.push_back(c);
      } else {
        out.push_back(n[0]);
        if (n[1] != 0) out.push_back(n[1]);
      }
    } else if (c == 0x2019) {
      out.push_back(u'\'');
    } else if (c == 0x201D) {
      out.push_back(u'"');
    } else {
      // ￥ among the rest: U+00A5 has no place in code page 932.
      out.push_back(c);
    }
  }
  return out;
}

void toHiragana(Text& text) {
  for (char16_t& c : text) {
    // ー and ヷ–ヺ have no hiragana partner and stay.
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) c = static_cast<char16_t>(c - 0x60);
  }
}

void toKatakana(Text& text) {
  for (char16_t& c : text) {
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) c = static_cast<char16_t>(c + 0x60);
  }
}

// Space, the ideographic space, tab, the line and page breaks and U+0000.
bool isWordSeparator(char16_t c) {
  constexpr uint32_t kControls = 1u << 0 | 1u << '\t' | 1u << '\n' | 1u << '\v' | 1u << '\f' | 1u << '\r';
  // Bit tests rather than a switch: words and spaces alternate too often
  // for branches to be guessed.
  const bool control = c < 32 && ((kControls >> (c & 31)) & 1) != 0;
  return control | (c == u' ') | (c == kIdeographicSpace);
}

// Surrogate units map to themselves in both tables, so pairs survive.
void applyCase(const Tables& t, Text& text, int caseCode) {
  if (caseCode == kUpper) {
    for (char16_t& c : text) c = t.upper[c];
  } else if (caseCode == kLower) {
    for (char16_t& c : text) c = t.lower[c];
  } else {
    // Only whitespace starts a word: "foo-bar" stays "Foo-bar".
    size_t at = titleCaseAsciiSteps(text.data(), text.size());
    bool wordStart = at == 0 || isWordSeparator(text[at - 1]);
    for (; at < text.size(); ++at) {
      char16_t& c = text[at];
      const bool separator = isWordSeparator(c);
      c = (wordStart ? t.upper : t.lower)[c];
      wordStart = separator;
    }
  }
}

}  // namespace

bool isValidConversionOption(int option) {
  if (option < 0 || option > 63) return false;
  return (option & (kFullWidth | kHalfWidth)) != (kFullWidth | kHalfWidth) &&
         (option & (kToKatakana | kToHiragana)) != (kToKatakana | kToHiragana);
}

void convertInPlace(Text& text, int option) {
  if (option == 0 || text.empty()) return;
  const Tables& t = tables();
  if (option & kFullWidth) widen(t, text);
  if (option & kToHiragana) toHiragana(text);
  if (option & kToKatakana) toKatakana(text);
  if (option & kHalfWidth) text = narrow(t, text);
  if (int caseCode = option & 3; caseCode != 0) applyCase(t, text, caseCode);
}

void appendFullWidth(Text& out, TextView text) {
  const size_t from = out.size();
  out.append(text);
  widen(tables(), out, from);
}

Text convertString(TextView text, int option) {
  Text out(text);
  convertInPlace(out, option);
  return out;
}

}  // namespace zumaro
