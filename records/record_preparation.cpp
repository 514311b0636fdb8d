#include "records/record_preparation.h"

namespace zumaro {
namespace {

// The key is put together in one piece rather than copied and then cut.
void takeKey(TextView code, Text& key) {
  if (!code.empty() && code.front() == u'〒') code.remove_prefix(1);
  if (code.size() >= 4 && (code[3] == u'-' || code[3] == u'ー')) {
    key.assign(code.data(), 3);
    key.append(code.substr(4));
    return;
  }
  key.assign(code);
}

}  // namespace

void prepareRecord(ConversionState& s) {
  const Settings& set = s.settings;
  s.prefectureField = slot(s, set.prefecturePosition);
  s.cityField = slot(s, set.cityPosition);
  s.townStart = 0;
  // The comparison walks city and town field as one text; the space between
  // them is passed over by its fold, and tells where the town field began.
  if (set.townPosition != 0) {
    const Text& town = slot(s, set.townPosition);
    if (!town.empty()) {
      s.cityField += u' ';
      s.townStart = static_cast<int>(s.cityField.size());
      s.cityField += town;
    }
  }
  s.cityFieldAsRead = s.cityField;
  s.buildingField = slot(s, set.buildingPosition);
  takeKey(slot(s, set.postalCodePosition), s.postalKey);
  s.companyField = slot(s, set.companyPosition);
}

}  // namespace zumaro
