#include "testing/search_record.h"

#include "run/entry_comparison.h"

namespace zumaro::testing {

std::string cityEntry(const std::string& key, const std::string& city) { return key + ",東京都," + city + ",,,,,,,,"; }

std::string searchRecord(ConversionState& s, DataLookup& lookup, const std::string& key) {
  s.recordField = {};
  s.recordField[1] = s.prefectureField = u"ﾄｳｷﾖｳﾄ";
  s.recordField[2] = u"未変換";
  s.cityField = s.cityFieldAsRead = s.buildingField = s.companyField = u"";
  s.postalKey = fromUtf8(key);
  s.entryApplied = false;
  searchAndCompare(s, lookup);
  return toUtf8(s.recordField[2]);
}

}  // namespace zumaro::testing
