#pragma once
// The texts of the settings form's boxes, as the user typed them. The
// command line fills the same structure, so both go through one validation.
#include <array>

#include "state/conversion_state.h"

namespace zumaro {

struct SettingsTexts {
  Text inputPath;
  Text fieldCount = u"0";
  Text postalCodePosition = u"0";
  Text prefecturePosition = u"0";
  Text cityPosition = u"0";
  Text buildingPosition = u"0";
  Text townPosition = u"0";  // 0: the town area is in the city field
  Text companyPosition = u"0";
  // [n] for further field n, 1..7, as the form and --etcN/--optN number them.
  std::array<Text, kFurtherPairs + 1> positionOfFurtherField{u"", u"0", u"0", u"0", u"0", u"0", u"0", u"0"};
  std::array<Text, kFurtherPairs + 1> conversionOfFurtherField{u"", u"0", u"0", u"0", u"0", u"0", u"0", u"0"};
  Text outputPath;
};

}  // namespace zumaro
