#include "address/reading_fold.h"

#include <array>
#include <cstdint>
#include <memory>

#include "text/simd.h"

#include "address/string_conversion.h"
#include "text/few_units.h"

namespace zumaro {
namespace {

constexpr int kHiraganaToKatakana = 16;
constexpr int kHalfWidth = 8;

// Per code unit: up to two folded units; {0, 0} for a unit that stays.
using FoldTable = std::array<std::array<char16_t, 2>, 0x10000>;

// ヵ ヶ ヮ have no half-width forms; they fold straight to the large kana.
constexpr std::u16string_view kSmallKana = u"ｧｨｩｪｫｯｬｭｮヵヶヮ";
constexpr std::u16string_view kLargeKana = u"ｱｲｳｴｵﾂﾔﾕﾖｶｹﾜ";

char16_t largeKana(char16_t c) {
  const size_t at = kSmallKana.find(c);
  return at == std::u16string_view::npos ? c : kLargeKana[at];
}

// The half-width katakana conversion of the further fields gives the
// width and kana folds; only the small kana are left to fold here.
std::unique_ptr<FoldTable> buildFoldTable() {
  auto table = std::make_unique<FoldTable>();
  auto fold = [&](char16_t c) {
    Text folded = convertString(TextView(&c, 1), kHiraganaToKatakana + kHalfWidth);
    for (char16_t& u : folded) u = largeKana(u);
    if (folded.size() <= 2 && folded != TextView(&c, 1))
      (*table)[c] = {folded[0], folded.size() == 2 ? folded[1] : u'\0'};
  };
  for (char16_t c = 0x3001; c <= 0x30FF; ++c) fold(c);
  for (char16_t c = 0xFF01; c <= 0xFF9F; ++c) fold(c);
  for (char16_t c : {u'ヵ', u'ヶ', u'ヮ', u'ゕ', u'ゖ'}) fold(c);
  return table;
}

const FoldTable& foldTable() {
  static const std::unique_ptr<FoldTable> table = buildFoldTable();
  return *table;
}

// ﾁﾞ and ｼﾞ, ﾂﾞ and ｽﾞ are alike in speech and both spellings are met: the
// voiced ﾁ and ﾂ fold to ｼ and ｽ, so lengths and positions stay.
char16_t voicedAlike(char16_t before, char16_t unit) {
  if (unit != u'ﾞ') return before;
  if (before == u'ﾁ') return u'ｼ';
  if (before == u'ﾂ') return u'ｽ';
  return before;
}

// What needsFolding asks of each unit, one byte per unit. The bits are
// placed so that one shift lines a mark up with the base before it.
enum : uint8_t { kFolds = 1, kVoicedAlikeBase = 2, kVoicedMark = 4 };
static_assert(kVoicedMark >> 2 == kFolds && kVoicedAlikeBase >> 1 == kFolds,
              "needsFoldingUnitByUnit: (mark >> 2) & (base before >> 1) is the kFolds bit");
using FoldFlags = std::array<uint8_t, 0x10000>;

std::unique_ptr<FoldFlags> buildFoldFlags() {
  const FoldTable& table = foldTable();
  auto flags = std::make_unique<FoldFlags>();
  for (size_t c = 0; c < flags->size(); ++c)
    (*flags)[c] = table[c][0] != 0 || isSpace(static_cast<char16_t>(c)) ? kFolds : 0;
  (*flags)[u'ﾁ'] |= kVoicedAlikeBase;
  (*flags)[u'ﾂ'] |= kVoicedAlikeBase;
  (*flags)[u'ﾞ'] |= kVoicedMark;
  return flags;
}

const FoldFlags& foldFlags() {
  static const std::unique_ptr<FoldFlags> flags = buildFoldFlags();
  return *flags;
}

// Whole, without early exits: readings are short, and a branch per unit
// would be guessed wrong wherever the kana change.
bool needsFoldingUnitByUnit(TextView text) {
  const FoldFlags& flags = foldFlags();
  unsigned found = 0;
  unsigned before = 0;  // the flags of the unit before
  for (const char16_t c : text) {
    const unsigned f = flags[c];
    // A voiced mark behind ﾁ or ﾂ folds too: ﾁﾞ reads as ｼﾞ.
    found |= (f & kFolds) | ((f >> 2) & (before >> 1) & kFolds);
    before = f;
  }
  return found != 0;
}

#if ZUMARO_SSE2
// The units a reading is mostly made of, none of which folds: half-width
// katakana but the small ones, and ASCII but the space. Taken eight at a
// time only while the flags say the same of every one of them.
constexpr char16_t kHalfKanaFirst = 0xFF61, kHalfKanaLast = 0xFF9F;
constexpr char16_t kSmallHalfFirst = 0xFF67, kSmallHalfLast = 0xFF6F;  // ｧ..ｯ
constexpr char16_t kAsciiFirst = 0x21, kAsciiLast = 0x7E;

bool plainUnitsHold() {
  const FoldFlags& flags = foldFlags();
  for (unsigned c = 0; c < 0x10000; ++c) {
    const bool kana = c >= kHalfKanaFirst && c <= kHalfKanaLast && (c < kSmallHalfFirst || c > kSmallHalfLast);
    const bool plain = kana || (c >= kAsciiFirst && c <= kAsciiLast);
    if (plain && (flags[c] & kFolds) != 0) return false;
  }
  return true;
}

__m128i unitsWithin(__m128i units, char16_t first, char16_t last) {
  const __m128i above = _mm_sub_epi16(units, _mm_set1_epi16(static_cast<int16_t>(first)));
  return _mm_cmpeq_epi16(_mm_subs_epu16(above, _mm_set1_epi16(static_cast<int16_t>(last - first))),
                         _mm_setzero_si128());
}

// What the steps over a text found: every unit plain, with or without a
// ﾁﾞ or ﾂﾞ, or some unit that is not.
enum class Verdict { Plain, VoicedAlike, NotPlain };

// The steps' findings gathered as lanes, looked at once at the end: the
// steps of a text then take no branch.
struct StepTally {
  __m128i plain = _mm_set1_epi16(-1);
  __m128i voicedAlike = _mm_setzero_si128();

  // Eight units, and the eight units one before them.
  void add(__m128i units, __m128i previous) {
    const __m128i kana = _mm_andnot_si128(unitsWithin(units, kSmallHalfFirst, kSmallHalfLast),
                                          unitsWithin(units, kHalfKanaFirst, kHalfKanaLast));
    plain = _mm_and_si128(plain, _mm_or_si128(kana, unitsWithin(units, kAsciiFirst, kAsciiLast)));
    const __m128i chiOrTsu = _mm_or_si128(_mm_cmpeq_epi16(previous, _mm_set1_epi16(static_cast<int16_t>(u'ﾁ'))),
                                          _mm_cmpeq_epi16(previous, _mm_set1_epi16(static_cast<int16_t>(u'ﾂ'))));
    const __m128i voiced = _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<int16_t>(u'ﾞ')));
    voicedAlike = _mm_or_si128(voicedAlike, _mm_and_si128(chiOrTsu, voiced));
  }
  // The first eight units of a text: nothing stands before them.
  void addFirst(__m128i units) { add(units, _mm_slli_si128(units, 2)); }

  Verdict verdict() const {
    if (_mm_movemask_epi8(plain) != 0xFFFF) return Verdict::NotPlain;
    return _mm_movemask_epi8(voicedAlike) != 0 ? Verdict::VoicedAlike : Verdict::Plain;
  }
};

__m128i unitsAt(const char16_t* units) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units)); }

// A text shorter than a step, copied into one filled up with a plain unit
// (words that overlap where the text is shorter than them): most readings
// are that short.
__m128i paddedStep(TextView text) {
  alignas(16) char16_t padded[8];
  _mm_store_si128(reinterpret_cast<__m128i*>(padded), _mm_set1_epi16(static_cast<int16_t>(u'ｱ')));
  copyFewUnits(text.data(), text.size(), padded);
  return _mm_load_si128(reinterpret_cast<const __m128i*>(padded));
}

// The whole text in steps of eight, the last of which may overlap the one
// before.
Verdict stepVerdict(TextView text) {
  static const bool usable = plainUnitsHold();
  if (!usable) return Verdict::NotPlain;
  StepTally tally;
  const char16_t* units = text.data();
  const size_t size = text.size();
  if (size < 8) {
    tally.addFirst(paddedStep(text));
    return tally.verdict();
  }
  tally.addFirst(unitsAt(units));
  size_t at = 8;
  for (; at + 8 <= size; at += 8) tally.add(unitsAt(units + at), unitsAt(units + at - 1));
  if (at < size) tally.add(unitsAt(units + size - 8), unitsAt(units + size - 9));
  return tally.verdict();
}
#else
enum class Verdict { Plain, VoicedAlike, NotPlain };
Verdict stepVerdict(TextView) { return Verdict::NotPlain; }
#endif

bool needsFolding(TextView text) {
  const Verdict verdict = stepVerdict(text);
  if (verdict != Verdict::NotPlain) return verdict == Verdict::VoicedAlike;
  return needsFoldingUnitByUnit(text);
}

void appendFolded(FoldedText& out, char16_t unit, int at) {
  if (out.size() > 0) out.replaceLast(voicedAlike(out.view().back(), unit));
  out.append(unit, at);
}

void appendFolded(Text& out, char16_t unit) {
  if (!out.empty()) out.back() = voicedAlike(out.back(), unit);
  out.push_back(unit);
}

}  // namespace

void foldText(TextView text, FoldedText& out) {
  const FoldTable& table = foldTable();
  // Lists written as the old lists write them fold to themselves.
  if (!needsFolding(text)) {
    out.assign(text);
    return;
  }
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (isSpace(c)) continue;
    const auto& f = table[c];
    const int at = static_cast<int>(i);
    appendFolded(out, f[0] == 0 ? c : f[0], at);
    if (f[1] != 0) appendFolded(out, f[1], at);
  }
}

void foldReading(TextView text, Text& out) {
  const FoldTable& table = foldTable();
  out.clear();
  for (char16_t c : text) {
    if (isSpace(c)) continue;
    const auto& f = table[c];
    appendFolded(out, f[0] == 0 ? c : f[0]);
    if (f[1] != 0) appendFolded(out, f[1]);
  }
}

bool foldsToItself(TextView text) { return !needsFolding(text); }

TextView foldedReading(TextView text, Text& scratch) {
  if (!needsFolding(text)) return text;
  foldReading(text, scratch);
  return scratch;
}

}  // namespace zumaro
