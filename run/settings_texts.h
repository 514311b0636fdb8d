#pragma once
// The texts of the settings form's boxes, as the user typed them. The
// command line fills the same structure, so both go through one validation.
#include <array>

#include "state/conversion_state.h"

namespace zumaro {

struct SettingsTexts {
  Text txtin;           // input path
  Text txtsu = u"0";    // field count
  Text txtno = u"0";    // postal-code position
  Text txtken = u"0";   // prefecture position
  Text txtcity = u"0";  // city position
  Text txtbil = u"0";   // building position
  Text txttown = u"0";  // town-area position, 0: the town area is in the city field
  Text Texco = u"0";    // company position
  std::array<Text, kFurtherPairs + 1> etc{u"", u"0", u"0", u"0", u"0", u"0", u"0", u"0"};     // etc1..etc7
  std::array<Text, kFurtherPairs + 1> etcopt{u"", u"0", u"0", u"0", u"0", u"0", u"0", u"0"};  // etc11..etc71
  Text txtout;          // output path
};

}  // namespace zumaro
