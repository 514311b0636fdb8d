// Any texts in the numeric boxes of the settings form. The bytes, split at
// line feeds, fill the boxes in the form's order (field count, postal code,
// prefecture, city, building, company, then each further pair's position
// and option, then the town area, added last so that the seeds keep their
// boxes), as UTF-8; boxes left over keep the "0" they open with.
//
// The texts are validated twice, over the form's first state and over an
// earlier run's settings. Checked: both give the same outcome; a refusal has
// a known code and a message, and has stored exactly the settings checked
// before the one it refuses; accepted settings lie within the limits the run
// relies on; and each box's numeric and integer values keep their rules.
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "address/string_conversion.h"
#include "fuzz/finding.h"
#include "fuzz/targets.h"
#include "run/messages.h"
#include "run/numeric_text.h"
#include "run/validation.h"

namespace zumaro::fuzz {
namespace {

constexpr int kMaxFieldCount = 50;
constexpr int kLastSlot = kSlotCount - 1;

std::vector<Text*> boxesInFormOrder(SettingsTexts& texts) {
  std::vector<Text*> boxes{&texts.fieldCount,   &texts.postalCodePosition, &texts.prefecturePosition,
                           &texts.cityPosition, &texts.buildingPosition,   &texts.companyPosition};
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    boxes.push_back(&texts.positionOfFurtherField[k]);
    boxes.push_back(&texts.conversionOfFurtherField[k]);
  }
  boxes.push_back(&texts.townPosition);
  return boxes;
}

SettingsTexts textsFromInput(const uint8_t* data, size_t size) {
  SettingsTexts texts;
  texts.inputPath = u"list.csv";
  texts.outputPath = u"out.csv";
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  for (Text* box : boxesInFormOrder(texts)) {
    if (rest.empty()) break;
    const size_t end = rest.find('\n');
    *box = fromUtf8(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return texts;
}

// The stored numbers in the order they are checked and stored.
std::vector<int> storedInOrder(const Settings& s) {
  std::vector<int> values{s.fieldCount,       s.postalCodePosition, s.prefecturePosition, s.cityPosition,
                          s.buildingPosition, s.townPosition,       s.companyPosition};
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    values.push_back(s.positionOfFurtherField[k]);
    values.push_back(s.conversionOfFurtherField[k]);
  }
  return values;
}

// Values no validation stores (a count above 50, positions outside the
// table, an option that is no sum of the codes), so that every setting a
// refusal leaves alone differs from the same setting over the first state.
Settings earlierRun() {
  constexpr int16_t kNeverStored = kMaxFieldCount + 1;
  Settings s;
  s.inputPath = u"earlier.csv";
  s.outputPath = u"earlier-out.csv";
  s.fieldCount = s.postalCodePosition = s.prefecturePosition = s.cityPosition = s.buildingPosition = s.townPosition =
      s.companyPosition = kNeverStored;
  s.positionOfFurtherField.fill(kNeverStored);
  s.conversionOfFurtherField.fill(64);
  return s;
}

// How many settings a refusal with a code of the form has stored: codes 2..9
// refuse a position after the count, 12 + 2k a further position, 13 + 2k
// its option (the town area and the company stored before them).
std::optional<size_t> storedBeforeRefusal(int errcode) {
  if (errcode == 1 || errcode == 10) return 0;
  if (errcode >= 2 && errcode <= 9) return static_cast<size_t>(errcode / 2);
  if (errcode >= 12 && errcode <= 25) return static_cast<size_t>(errcode - 5);
  return std::nullopt;
}

size_t agreeingPrefix(const std::vector<int>& a, const std::vector<int>& b) {
  size_t same = 0;
  while (same < a.size() && a[same] == b[same]) ++same;
  for (size_t i = same; i < a.size(); ++i) require(a[i] != b[i], "a setting is stored after one that was refused");
  return same;
}

void checkRefusal(const ValidationFailure& failure, size_t stored) {
  const int code = failure.errcode;
  const bool ownCode = code >= kNotANumber && code <= kTownWithClassicMatch;
  require(ownCode || !messageForCode(code).empty(), "a refusal with an unknown code");
  require(!failure.message.empty(), "a refusal without a message");
  if (ownCode) return;
  require(failure.message == messageForCode(code), "a refusal of the form without the form's message");
  require(stored == *storedBeforeRefusal(code), "a refusal stores other settings than those checked before it");
}

bool isPosition(int value, int fieldCount) { return value >= 0 && value <= kLastSlot && value <= fieldCount; }

void checkAccepted(const Settings& s) {
  require(s.fieldCount <= kMaxFieldCount, "an accepted field count above 50");
  for (int position : {s.postalCodePosition, s.prefecturePosition, s.cityPosition, s.buildingPosition})
    require(isPosition(position, s.fieldCount), "an accepted position outside the record");
  require(isPosition(s.townPosition, s.fieldCount), "an accepted town-area position outside the record");
  require(s.townPosition == 0 || s.townPosition != s.cityPosition, "an accepted town-area position in the city field");
  require(s.companyPosition >= 0 && s.companyPosition <= kLastSlot,
          "an accepted company position outside the field table");
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    require(isPosition(s.positionOfFurtherField[k], s.fieldCount), "an accepted further position outside the record");
    require(isValidConversionOption(s.conversionOfFurtherField[k]), "an accepted option that is no sum of the codes");
  }
}

// Blanks around a number change nothing; the integer value is the nearest
// integer, a half to the even one (the default rounding of nearbyint), and
// there exactly when that fits 16 bits.
void checkNumericReadings(const Text& box) {
  const std::optional<double> numeric = numericValue(box);
  require(numericValue(u" " + box + u"\u3000") == numeric, "blanks around a number change its value");
  if (!numeric) return;
  require(!std::isnan(*numeric), "a text reads as not-a-number");
  const double nearest = std::nearbyint(*numeric);
  const bool fits = std::isfinite(nearest) && nearest >= std::numeric_limits<int16_t>::min() &&
                    nearest <= std::numeric_limits<int16_t>::max();
  const std::optional<int16_t> integer = integerValue(*numeric);
  require(fits ? integer && *integer == nearest : !integer, "the integer value is not the nearest, half to even");
}

}  // namespace

void fuzzSettings(const uint8_t* data, size_t size) {
  SettingsTexts texts = textsFromInput(data, size);
  for (const Text* box : boxesInFormOrder(texts)) checkNumericReadings(*box);

  Settings first;
  Settings earlier = earlierRun();
  const std::optional<ValidationFailure> overFirst = validateSettings(texts, first);
  const std::optional<ValidationFailure> overEarlier = validateSettings(texts, earlier);
  require(
      overFirst.has_value() == overEarlier.has_value() &&
          (!overFirst || (overFirst->errcode == overEarlier->errcode && overFirst->message == overEarlier->message)),
      "the outcome depends on the settings of the run before");
  require(first.inputPath == texts.inputPath && earlier.inputPath == texts.inputPath, "the input path is not taken");
  require(first.outputPath.empty() && earlier.outputPath == u"earlier-out.csv", "validation changes the output path");

  const size_t stored = agreeingPrefix(storedInOrder(first), storedInOrder(earlier));
  if (overFirst) {
    checkRefusal(*overFirst, stored);
    return;
  }
  require(stored == storedInOrder(first).size(), "accepted settings are not all stored");
  checkAccepted(first);
}

}  // namespace zumaro::fuzz
