#pragma once
// Every text the run shows the user, in one place.
#include "text/text.h"

namespace zumaro {

inline constexpr char16_t kErrorTitle[] = u"エラーメッセージ";
inline constexpr char16_t kProgramTitle[] = u"Zumaro";
inline constexpr char16_t kRunFinished[] = u"変換処理終了";
inline constexpr char16_t kProgressSuffix[] = u"件目を処理中";
// Added to the report's message for a first record that looks like a header row.
inline constexpr char16_t kHeaderRowNote[] = u"1行目は見出しのようです。";

// The message of a validation code 1..10, 12..25; empty for any other code.
Text messageForCode(int errcode);

// Refusals the form's own codes do not cover; their messages name the box.
inline constexpr int kNotANumber = 26;            // the text does not read as a number
inline constexpr int kIntegerOutOfRange = 27;     // integer value outside -32768..32767
inline constexpr int kPositionOutsideTable = 28;  // a position outside slots 0..50
inline constexpr int kUnknownOption = 29;         // not a sum of the conversion codes
inline constexpr int kTownAboveCount = 30;        // the town-area position beyond the field count
inline constexpr int kTownInTheCityField = 31;    // the town-area position is the city's
inline constexpr int kTownWithClassicMatch = 32;  // a town field, which the classic comparison cannot read
inline constexpr int kFixWithClassicMatch = 33;   // fixing codes, which needs the tolerant comparison

enum class SettingItem {
  fieldCount,
  postalCode,
  prefecture,
  city,
  building,
  town,
  company,
  furtherPosition,  // of further field 1..7 (--etcN)
  furtherOption,    // its conversion (--optN)
};

// The message of any validation failure: codes 1..10 and 12..25 as
// messageForCode, codes 26..29 naming `item` (`pair` 1..7 for the further
// boxes), 30..32 the town area's. Empty for any other code.
Text failureMessage(int errcode, SettingItem item, int pair = 0);

}  // namespace zumaro
