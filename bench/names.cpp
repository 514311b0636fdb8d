#include "bench/names.h"

#include <vector>

namespace zumaro::bench {
namespace {

const std::vector<std::string> kSyllables = {
    "ｱ",  "ｲ",  "ｳ",  "ｴ",  "ｵ",  "ｶ",  "ｷ",  "ｸ",  "ｹ",  "ｺ",  "ｻ",  "ｼ",  "ｽ",  "ｾ",  "ｿ",  "ﾀ",  "ﾁ",
    "ﾂ",  "ﾃ",  "ﾄ",  "ﾅ",  "ﾆ",  "ﾇ",  "ﾈ",  "ﾉ",  "ﾊ",  "ﾋ",  "ﾌ",  "ﾍ",  "ﾎ",  "ﾏ",  "ﾐ",  "ﾑ",  "ﾒ",
    "ﾓ",  "ﾔ",  "ﾕ",  "ﾖ",  "ﾗ",  "ﾘ",  "ﾙ",  "ﾚ",  "ﾛ",  "ﾜ",  "ﾝ",  "ｶﾞ", "ｷﾞ", "ｸﾞ", "ｺﾞ", "ｻﾞ", "ｼﾞ",
    "ｽﾞ", "ﾀﾞ", "ﾃﾞ", "ﾄﾞ", "ﾊﾞ", "ﾋﾞ", "ﾌﾞ", "ﾎﾞ", "ﾊﾟ", "ﾎﾟ", "ｷﾖ", "ｼﾕ", "ﾁﾖ", "ﾘﾕ", "ｼﾖ"};

const std::vector<std::string> kKanji = {
    "山", "川", "田", "中", "本", "木", "林", "森", "石", "井", "原", "野", "村", "沢", "谷", "島", "岡", "崎",
    "松", "竹", "梅", "桜", "東", "西", "南", "北", "上", "下", "大", "小", "新", "古", "高", "長", "宮", "神",
    "平", "和", "栄", "富", "若", "青", "白", "赤", "緑", "泉", "浜", "港", "橋", "坂", "城", "台", "丘", "里"};

}  // namespace

std::string kanaReading(Rng& rng, int syllables) {
  std::string out;
  for (int i = 0; i < syllables; ++i) out += rng.pick(kSyllables);
  return out;
}

std::string kanjiName(Rng& rng, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) out += rng.pick(kKanji);
  return out;
}

PlaceName cityName(Rng& rng) {
  PlaceName p{kanjiName(rng, rng.between(1, 3)), kanaReading(rng, rng.between(2, 4))};
  switch (rng.below(10)) {
    case 0:
    case 1:
      p.written += "町";
      p.reading += rng.percent(50) ? "ﾁﾖｳ" : "ﾏﾁ";
      break;
    case 2:
      p.written += "村";
      p.reading += "ﾑﾗ";
      break;
    case 3:
      p.written += "区";
      p.reading += "ｸ";
      break;
    default:
      p.written += "市";
      p.reading += "ｼ";
  }
  return p;
}

PlaceName townName(Rng& rng) {
  PlaceName p{kanjiName(rng, rng.between(1, 3)), kanaReading(rng, rng.between(1, 4))};
  if (rng.percent(33)) {
    p.written += "町";
    p.reading += rng.percent(50) ? "ﾁﾖｳ" : "ﾏﾁ";
  }
  return p;
}

}  // namespace zumaro::bench
