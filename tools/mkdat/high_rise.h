#pragma once
// KEN_ALL gives each floor of a high-rise building a postal code of its own,
// writing the town area, the building name and the floor in one column:
// 丸の内ＪＰタワー（１０階）, read ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ(10ｶｲ), or （地階・階層不明）
// for the code of the basement and unknown floors.
#include <optional>
#include <unordered_map>
#include <vector>

#include "text/text.h"

namespace zumaro::mkdat {

struct HighRiseRow {
  Text place;  // town area and building name, other notes removed
  Text placeReading;
  Text floor;         // "１０階"; empty for the basement and unknown floors
  Text floorReading;  // "10ｶｲ"; empty likewise
};

// The parts of a town area that ends with a floor note, or nothing.
std::optional<HighRiseRow> parseHighRise(TextView town, TextView reading);

struct TownArea {
  Text written;
  Text reading;
};

// The town areas of each municipality, to find where a building name starts.
class TownAreaIndex {
 public:
  void add(const Text& municipality, const Text& town, const Text& reading);
  // The longest town area of `municipality` that is a proper beginning of
  // `place` and whose reading begins `placeReading`; null when none is.
  const TownArea* townOf(const Text& municipality, TextView place, TextView placeReading) const;

 private:
  std::unordered_map<Text, std::vector<TownArea>> towns_;
};

}  // namespace zumaro::mkdat
