#include "run/validation.h"

#include "address/string_conversion.h"
#include "run/messages.h"
#include "run/numeric_text.h"

namespace zumaro {

namespace {

using Outcome = std::optional<ValidationFailure>;

constexpr int kMaxFieldCount = 50;

Outcome fail(int errcode, SettingItem item = SettingItem::fieldCount, int pair = 0) {
  return ValidationFailure{errcode, failureMessage(errcode, item, pair)};
}

// A position is a slot of the record field table; any other integer would
// silently address nothing later, so it is refused where it is taken.
Outcome takePosition(double numeric, SettingItem item, int pair, int16_t& setting) {
  std::optional<int16_t> value = integerValue(numeric);
  if (!value) return fail(kIntegerOutOfRange, item, pair);
  if (*value < 0 || *value >= kSlotCount) return fail(kPositionOutsideTable, item, pair);
  setting = *value;
  return std::nullopt;
}

// The four positions that must be entered and lie within the field count.
struct CountedPosition {
  const Text& box;
  int16_t& setting;
  SettingItem item;
  int missingCode;
  int aboveCountCode;
};

Outcome checkCountedPosition(const CountedPosition& p, int16_t fieldCount) {
  std::optional<double> numeric = numericValue(p.box);
  if (!numeric) return fail(kNotANumber, p.item);
  if (*numeric == 0) return fail(p.missingCode);
  if (*numeric > fieldCount) return fail(p.aboveCountCode);
  return takePosition(*numeric, p.item, 0, p.setting);
}

Outcome checkFurtherPair(const SettingsTexts& texts, Settings& settings, int k) {
  const auto index = static_cast<size_t>(k);
  std::optional<double> position = numericValue(texts.positionOfFurtherField[index]);
  if (!position) return fail(kNotANumber, SettingItem::furtherPosition, k);
  if (*position > settings.fieldCount) return fail(10 + 2 * k);
  if (Outcome f = takePosition(*position, SettingItem::furtherPosition, k, settings.positionOfFurtherField[index]))
    return f;

  std::optional<double> option = numericValue(texts.conversionOfFurtherField[index]);
  if (!option) return fail(kNotANumber, SettingItem::furtherOption, k);
  if (*option > 0 && *position == 0) return fail(11 + 2 * k);
  std::optional<int16_t> optionValue = integerValue(*option);
  if (!optionValue) return fail(kIntegerOutOfRange, SettingItem::furtherOption, k);
  if (!isValidConversionOption(*optionValue)) return fail(kUnknownOption, SettingItem::furtherOption, k);
  settings.conversionOfFurtherField[index] = *optionValue;
  return std::nullopt;
}

// Optional like the company, but a field of the record: within the count.
// The classic comparison cuts the city text at fixed places and cannot walk
// two fields as one.
Outcome checkTownPosition(const Text& box, Settings& settings, MatchMode match) {
  std::optional<double> numeric = numericValue(box);
  if (!numeric) return fail(kNotANumber, SettingItem::town);
  if (*numeric > settings.fieldCount) return fail(kTownAboveCount);
  int16_t position = 0;
  if (Outcome f = takePosition(*numeric, SettingItem::town, 0, position)) return f;
  if (position != 0 && position == settings.cityPosition) return fail(kTownInTheCityField);
  if (position != 0 && match == MatchMode::Classic) return fail(kTownWithClassicMatch);
  settings.townPosition = position;
  return std::nullopt;
}

}  // namespace

std::optional<ValidationFailure> validateSettings(const SettingsTexts& texts, Settings& settings, MatchMode match) {
  settings.inputPath = texts.inputPath;

  // A count of 0 is "not entered" and is reported before the upper bound.
  std::optional<double> count = numericValue(texts.fieldCount);
  if (!count) return fail(kNotANumber, SettingItem::fieldCount);
  if (*count == 0) return fail(10);
  if (*count > kMaxFieldCount) return fail(1);
  std::optional<int16_t> fieldCount = integerValue(*count);
  if (!fieldCount) return fail(kIntegerOutOfRange, SettingItem::fieldCount);
  settings.fieldCount = *fieldCount;

  const CountedPosition counted[] = {
      {texts.postalCodePosition, settings.postalCodePosition, SettingItem::postalCode, 2, 3},
      {texts.prefecturePosition, settings.prefecturePosition, SettingItem::prefecture, 4, 5},
      {texts.cityPosition, settings.cityPosition, SettingItem::city, 6, 7},
      {texts.buildingPosition, settings.buildingPosition, SettingItem::building, 8, 9},
  };
  for (const CountedPosition& p : counted) {
    if (Outcome f = checkCountedPosition(p, settings.fieldCount)) return f;
  }
  if (Outcome f = checkTownPosition(texts.townPosition, settings, match)) return f;

  // The company field is optional and not tied to the count.
  std::optional<double> company = numericValue(texts.companyPosition);
  if (!company) return fail(kNotANumber, SettingItem::company);
  if (Outcome f = takePosition(*company, SettingItem::company, 0, settings.companyPosition)) return f;

  for (int k = 1; k <= kFurtherPairs; ++k) {
    if (Outcome f = checkFurtherPair(texts, settings, k)) return f;
  }
  return std::nullopt;
}

}  // namespace zumaro
