#include "testing/search_record.h"

#include "run/entry_comparison.h"

namespace zumaro::testing {

std::string cityEntry(const std::string& key, const std::string& city) { return key + ",東京都," + city + ",,,,,,,,"; }

std::string searchRecord(ConversionState& s, DataLookup& lookup, const std::string& key) {
  s.koumoku = {};
  s.koumoku[1] = s.recken = u"ﾄｳｷﾖｳﾄ";
  s.koumoku[2] = u"未変換";
  s.reccity = s.reccityRead = s.recbil = s.recco = u"";
  s.keyno = fromUtf8(key);
  s.entryApplied = false;
  searchAndCompare(s, lookup);
  return toUtf8(s.koumoku[2]);
}

}  // namespace zumaro::testing
