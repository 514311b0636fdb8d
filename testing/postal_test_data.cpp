#include "testing/postal_test_data.h"

#include <sstream>

#include "lookup/range_table.h"
#include "text/text.h"

namespace zumaro::testing {

const std::vector<std::string> kCityReadings = {"ﾐﾄﾞﾘｸ", "ｷﾀｸ", "ﾐﾅﾐﾁﾖｳ", "ﾐﾅﾐﾏﾁ", ""};
// ｷﾀ3ｼﾞｮｳ: a reading of the data that folds, as a few in Japan Post's do.
const std::vector<std::string> kTownReadings = {"ﾎﾝﾁﾖｳ", "ﾎﾝﾏﾁ", "ｻｶｴ", "ｷﾀ3ｼﾞｮｳ", ""};

std::vector<std::string> keysOf(int k) {
  const std::string base = toUtf8(postalRange(k).lower).substr(0, 5);
  std::vector<std::string> keys;
  for (int i = 1; i <= 6; ++i) keys.push_back(base + "1" + std::to_string(i));
  keys.push_back(base + "13" + "0");
  keys.push_back(base + "13" + "01");
  keys.push_back(base + "13" + "012");
  keys.push_back(base + "13" + "021");
  keys.push_back(base + "1");
  // Characters from U+00FF up, which the packed key heads cannot tell apart.
  keys.push_back(base + "ｱ1");
  keys.push_back(base + "１2");
  // A key that only a U+0000 tells from a shorter one.
  keys.push_back(base + "11" + std::string(1, '\0'));
  return keys;
}

std::string entryLine(const std::string& key, int id, const EntryShape& shape) {
  const std::string n = std::to_string(id);
  std::ostringstream line;
  line << key << ",東京都,市" << n << ",町" << n << "," << (shape.building ? "ビル" + n : "") << ","
       << (shape.business ? "会社" + n : "") << ",ﾄｳｷﾖｳﾄ," << shape.cityReading << "," << shape.townReading << ","
       << (shape.building ? "ﾋﾞﾙ" : "") << "," << (shape.business ? "ｶｲｼﾔ" : "");
  return line.str();
}

}  // namespace zumaro::testing
