#include "bench/data_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "bench/cp932_file.h"
#include "bench/names.h"
#include "lookup/data_file.h"
#include "lookup/range_table.h"
#include "state/conversion_state.h"

namespace zumaro::bench {
namespace {

struct Prefecture {
  const char* written;
  const char* reading;
};

constexpr std::array<Prefecture, 12> kPrefectures{{
    {"北海道", "ﾎﾂｶｲﾄﾞｳ"},
    {"青森県", "ｱｵﾓﾘｹﾝ"},
    {"宮城県", "ﾐﾔｷﾞｹﾝ"},
    {"東京都", "ﾄｳｷﾖｳﾄ"},
    {"神奈川県", "ｶﾅｶﾞﾜｹﾝ"},
    {"長野県", "ﾅｶﾞﾉｹﾝ"},
    {"愛知県", "ｱｲﾁｹﾝ"},
    {"京都府", "ｷﾖｳﾄﾌ"},
    {"大阪府", "ｵｵｻｶﾌ"},
    {"広島県", "ﾋﾛｼﾏｹﾝ"},
    {"福岡県", "ﾌｸｵｶｹﾝ"},
    {"沖縄県", "ｵｷﾅﾜｹﾝ"},
}};

struct Entry {
  long key;
  std::array<std::string, kEntryFields> fields;
};

std::string keyText(long key) {
  char text[16];
  std::snprintf(text, sizeof text, "%07ld", key);
  return text;
}

long rangeBound(const char16_t* bound) { return std::stol(toUtf8(bound)); }

// The city and prefecture that a run of neighbouring keys share.
struct Locality {
  const Prefecture* prefecture;
  PlaceName city;
};

Locality newLocality(Rng& rng) { return {&kPrefectures[rng.below(kPrefectures.size())], cityName(rng)}; }

// Most keys have one entry; some have a few, a few have many, as postal
// codes that cover several town areas.
int entriesPerKey(Rng& rng) {
  int roll = static_cast<int>(rng.below(100));
  if (roll < 96) return 1;
  if (roll < 99) return rng.between(2, 5);
  return rng.between(6, 30);
}

void addressEntries(Rng& rng, long lower, long upper, int count, std::vector<Entry>& out) {
  const long width = upper - lower + 1;
  const double averageGap = static_cast<double>(width) / std::max(1.0, count / 1.6);
  const long maxStep = std::max(1L, static_cast<long>(std::lround(2 * averageGap)) - 1);
  Locality place = newLocality(rng);
  long key = lower;
  for (int made = 0; made < count;) {
    key += 1 + static_cast<long>(rng.below(static_cast<uint64_t>(maxStep)));
    if (key > upper) key = lower + static_cast<long>(rng.below(static_cast<uint64_t>(width)));
    if (rng.percent(2)) place = newLocality(rng);
    for (int n = entriesPerKey(rng); n > 0 && made < count; --n, ++made) {
      PlaceName town = townName(rng);
      Entry e{key, {}};
      e.fields = {keyText(key),
                  place.prefecture->written,
                  place.city.written,
                  town.written,
                  "",
                  "",
                  place.prefecture->reading,
                  place.city.reading,
                  town.reading,
                  "",
                  ""};
      if (rng.percent(2)) {
        std::string name = kanaReading(rng, rng.between(2, 4));
        e.fields[4] = kanjiName(rng, 2) + "ビル";
        e.fields[9] = name + "ﾋﾞﾙ";
      }
      out.push_back(std::move(e));
    }
  }
}

void businessEntries(Rng& rng, long lower, long upper, int count, std::vector<Entry>& out) {
  const long width = upper - lower + 1;
  for (int made = 0; made < count;) {
    long key = lower + static_cast<long>(rng.below(static_cast<uint64_t>(width)));
    Locality place = newLocality(rng);
    for (int n = rng.percent(90) ? 1 : rng.between(2, 3); n > 0 && made < count; --n, ++made) {
      Entry e{key, {}};
      e.fields = {keyText(key),
                  place.prefecture->written,
                  place.city.written,
                  townName(rng).written,
                  "",
                  "株式会社" + kanjiName(rng, rng.between(2, 4)),
                  place.prefecture->reading,
                  place.city.reading,
                  "",
                  "",
                  "ｶﾌﾞｼｷｶﾞｲｼﾔ" + kanaReading(rng, rng.between(2, 6))};
      out.push_back(std::move(e));
    }
  }
}

}  // namespace

void generateDataFolder(const std::string& folder, const DataShape& shape) {
  std::filesystem::create_directories(folder);
  const long first = rangeBound(postalRange(1).lower);
  const long total = rangeBound(postalRange(kDataFileCount).upper) - first + 1;
  for (int k = 1; k <= kDataFileCount; ++k) {
    Rng rng(shape.seed * 100 + static_cast<uint64_t>(k));
    const long lower = rangeBound(postalRange(k).lower), upper = rangeBound(postalRange(k).upper);
    const double share = static_cast<double>(upper - lower + 1) / static_cast<double>(total);
    std::vector<Entry> entries;
    addressEntries(rng, lower, upper, static_cast<int>(std::lround(shape.addressEntries * share)), entries);
    businessEntries(rng, lower, upper, static_cast<int>(std::lround(shape.businessEntries * share)), entries);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    Cp932File file(dataFilePath(folder, k));
    for (const Entry& e : entries) file.line(quotedFields(e.fields.data(), e.fields.size()));
  }
}

}  // namespace zumaro::bench
