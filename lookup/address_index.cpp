#include "lookup/address_index.h"

#include <algorithm>
#include <array>
#include <string>

#include "address/city_parts.h"
#include "address/number_readings.h"
#include "address/reading_fold.h"
#include "address/written_form.h"
#include "lookup/text_hash.h"

namespace zumaro {
namespace {

constexpr TextView kChou = u"ﾁﾖｳ";
constexpr TextView kMachi = u"ﾏﾁ";
constexpr TextView kBeforeTown[] = {u"ｵｵｱｻﾞ", u"ｱｻﾞ", u"大字", u"字"};

Text folded(TextView text) {
  Text out;
  foldReading(text, out);
  return out;
}

// 町 read the other way: a record may write either.
Text otherMachi(TextView reading) {
  if (reading.size() > kChou.size() && reading.ends_with(kChou))
    return joined({reading.substr(0, reading.size() - kChou.size()), kMachi});
  if (reading.size() > kMachi.size() && reading.ends_with(kMachi))
    return joined({reading.substr(0, reading.size() - kMachi.size()), kChou});
  return {};
}

// A town area is found by the head of its name, up to eight units: the kana
// that follow a city are often shared by dozens of its towns (京都市's
// ﾋｶﾞｼ…). The head stops where the record may write the name otherwise: at
// a number, before a 町 the record may read the other way, and in a written
// name at ケ ヶ ヵ ノ 之.
constexpr size_t kHeadUnits = 8;

// The city first, then the head unit by unit: the keys of a text's heads
// come one from another.
uint64_t citySeed(uint32_t city) {
  return hashOn(hashOn(kHashStart, static_cast<char16_t>(city >> 16)), static_cast<char16_t>(city & 0xFFFF));
}

uint64_t townKey(uint32_t city, TextView head) {
  uint64_t hash = citySeed(city);
  for (char16_t c : head) hash = hashOn(hash, c);
  return hash;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

TextView readingHead(TextView reading) {
  for (TextView suffix : {kChou, kMachi})
    if (reading.ends_with(suffix)) reading.remove_suffix(suffix.size());
  size_t end = 0;
  while (end < reading.size() && end < kHeadUnits && !isDigit(reading[end])) ++end;
  return reading.substr(0, end);
}

bool endsWrittenHead(char16_t c) {
  if (isDigit(c)) return true;
  switch (c) {
    case u'〇':
    case u'一':
    case u'二':
    case u'三':
    case u'四':
    case u'五':
    case u'六':
    case u'七':
    case u'八':
    case u'九':
    case u'十':
    case u'百':
    case u'ｹ':
    case u'ｶ':
    case u'ﾉ':
    case u'之':
      return true;
    default:
      return false;
  }
}

// Asked of every entry while building: a loop, not find_first_of over a set.
TextView writtenHead(TextView written) {
  size_t end = 0;
  while (end < written.size() && end < kHeadUnits && !endsWrittenHead(written[end])) ++end;
  return written.substr(0, end);
}

}  // namespace

void AddressIndex::build(DataLookup& lookup, const std::string& folder) {
  files_.assign(kDataFileCount + 1, nullptr);
  for (int k = 1; k <= kDataFileCount; ++k) {
    LoadedDataFile* file = lookup.heldFile(k);
    if (file == nullptr) {
      own_.push_back(std::make_unique<LoadedDataFile>(dataFilePath(folder, k)));
      file = own_.back().get();
      file->open();
    }
    files_[static_cast<size_t>(k)] = file;
    for (size_t i = 0, n = file->entryCount(); i < n; ++i)
      add(static_cast<uint16_t>(k), static_cast<uint32_t>(i), file->entryView(i));
  }
  towns_.finish();
  names_.finish();
}

EntryView AddressIndex::entry(uint32_t i) const { return files_[entries_[i].file]->entryView(entries_[i].index); }

TextView AddressIndex::postalCode(uint32_t i) const { return files_[entries_[i].file]->key(entries_[i].index); }

void AddressIndex::add(uint16_t file, uint32_t index, const EntryView& e) {
  // Business entries are found by their code alone, and a high-rise's
  // entries by their floor, which no reading tells.
  if (!e[5].empty() || !e[9].empty() || e[7].empty()) return;
  const uint32_t city = cityOf(e, prefectureOf(e));
  const auto at = static_cast<uint32_t>(entries_.size());
  entries_.push_back({file, index, city, foldsToItself(e[6]) && foldsToItself(e[7]) && foldsToItself(e[8])});
  if (e[8].empty()) {
    if (citywide_.size() <= city) citywide_.resize(city + 1);
    citywide_[city].push_back(at);
    return;
  }
  // Folded into room kept from entry to entry: the data's readings mostly
  // fold to themselves and are taken where they stand.
  const TextView town = foldedReading(e[8], townRoom_);
  const TextView written = foldedReading(e[3], writtenRoom_);
  // A name that begins with a number is found by the number below.
  const TextView head = readingHead(town);
  if (!head.empty() || !isDigit(town.front())) bucket(city, head, at);
  if (!written.empty()) {
    TextView headWritten = writtenHead(written);
    if (headWritten.empty()) headWritten = written.substr(0, 1);
    if (headWritten != head) bucket(city, headWritten, at);
  }
  // A number at the head may be read out where the data has digits, or
  // stand in digits where the data reads it: found by those heads too.
  size_t length = 0;
  const long number = leadingNumeral(written.empty() ? town : written, length);
  if (number >= 0) {
    const Text digits = fromUtf8(std::to_string(number));
    bucket(city, TextView(digits).substr(0, 1), at);
    for (const Text& spoken : numberReadings(static_cast<int>(number))) bucket(city, TextView(spoken).substr(0, 1), at);
  }
}

void AddressIndex::bucket(uint32_t city, TextView head, uint32_t entry) { towns_.add(townKey(city, head), entry); }

int AddressIndex::prefectureOf(const EntryView& e) {
  // The data holds a prefecture's entries together.
  if (lastPrefecture_ != kNoPrefecture && e[1] == prefectures_[static_cast<size_t>(lastPrefecture_)].written)
    return lastPrefecture_;
  const auto [it, added] = prefectureByWritten_.try_emplace(Text(e[1]), static_cast<int>(prefectures_.size()));
  if (added) {
    prefectures_.push_back({folded(e[6]), folded(e[1])});
    for (const Text* name : {&prefectures_.back().reading, &prefectures_.back().written})
      if (!name->empty()) prefectureNames_[name->front()].emplace_back(*name, it->second);
  }
  lastPrefecture_ = it->second;
  return it->second;
}

uint32_t AddressIndex::cityOf(const EntryView& e, int prefecture) {
  if (!cities_.empty() && prefecture == cities_[lastCity_].prefecture && e[2] == cities_[lastCity_].written)
    return lastCity_;
  const auto [it, added] = cityByName_.try_emplace(joined({e[1], u"\t", e[2]}), static_cast<uint32_t>(cities_.size()));
  if (added) {
    cities_.push_back({prefecture, Text(e[2])});
    nameCity(it->second, e);
  }
  lastCity_ = it->second;
  return it->second;
}

void AddressIndex::nameCity(uint32_t city, const EntryView& e) {
  const Text reading = folded(e[7]);
  const Text written = folded(e[2]);
  addName(city, false, reading);
  addName(city, false, otherMachi(reading));
  addName(city, false, written);
  const CityLead lead = cityLead(written, reading);
  for (size_t i = 0; i < lead.endCount; ++i) {
    const TextView leadRead = TextView(reading).substr(0, lead.readingEnds[i]);
    const TextView restRead = TextView(reading).substr(lead.readingEnds[i]);
    addName(city, true, restRead);
    addName(city, true, otherMachi(restRead));
    addName(city, false, joined({leadRead, lead.rest}));
    addName(city, false, joined({lead.written, restRead}));
  }
  if (lead.endCount > 0) addName(city, true, lead.rest);
}

void AddressIndex::addName(uint32_t city, bool lead, TextView name) {
  if (name.empty()) return;
  const uint64_t hash = hashOf(name);
  nameSeen_[hash & kNameSeenMask] = true;
  names_.add(hash, {city, lead, static_cast<uint32_t>(namePool_.size()), static_cast<uint32_t>(name.size())});
  namePool_.append(name);
  longestName_ = std::max(longestName_, name.size());
}

int AddressIndex::prefectureNamed(TextView text) const {
  size_t end = 0;
  const int p = prefectureAtHead(text, end);
  return p != kNoPrefecture && end == text.size() ? p : kNoPrefecture;
}

// Asked for every record searched: the prefectures are sorted out by
// their first unit.
int AddressIndex::prefectureAtHead(TextView text, size_t& end) const {
  if (text.empty()) return kNoPrefecture;
  const auto named = prefectureNames_.find(text.front());
  if (named == prefectureNames_.end()) return kNoPrefecture;
  for (const auto& [name, p] : named->second) {
    if (text.starts_with(name)) {
      end = name.size();
      return p;
    }
  }
  return kNoPrefecture;
}

void AddressIndex::candidates(TextView text, size_t at, int prefecture, bool leadMayBeLeftOut,
                              std::vector<uint32_t>& found, std::vector<uint32_t>& citywide) const {
  auto take = [&](const CityName& n, size_t end) {
    collect(n.city, text.substr(end), found);
    if (n.city < citywide_.size()) citywide.insert(citywide.end(), citywide_[n.city].begin(), citywide_[n.city].end());
  };
  // Every head of the text is a name's hash in one step from the one before.
  uint64_t hash = kHashStart;
  for (size_t end = at; end < text.size() && end - at < longestName_; ++end) {
    hash = hashOn(hash, text[end]);
    if (!nameSeen_[hash & kNameSeenMask]) continue;
    const TextView name = text.substr(at, end + 1 - at);
    for (const CityName& n : names_.find(hash))
      if (nameOf(n) == name && (!n.lead || leadMayBeLeftOut) &&
          (prefecture == kNoPrefecture || cities_[n.city].prefecture == prefecture))
        take(n, end + 1);
  }
  dedupe(found, citywide);
}

// Each entry once, in data order.
void AddressIndex::dedupe(std::vector<uint32_t>& found, std::vector<uint32_t>& citywide) {
  for (std::vector<uint32_t>* ids : {&found, &citywide}) {
    if (ids->size() < 2) continue;
    std::sort(ids->begin(), ids->end());
    ids->erase(std::unique(ids->begin(), ids->end()), ids->end());
  }
}

// The entries of `city` whose town area may begin `rest`, after a 大字 or
// 字 too.
void AddressIndex::collect(uint32_t city, TextView rest, std::vector<uint32_t>& found) const {
  // Every head's slot lies somewhere else in a table larger than the
  // cache: asked for all at once, their reads overlap.
  std::array<uint64_t, kHeadUnits + 1> keys{};
  auto addHeads = [&](TextView text) {
    const size_t heads = std::min(kHeadUnits, text.size()) + 1;
    uint64_t key = citySeed(city);
    for (size_t n = 0; n < heads; ++n) {
      if (n > 0) key = hashOn(key, text[n - 1]);
      keys[n] = key;
      towns_.prefetch(key);
    }
    for (size_t n = 0; n < heads; ++n) {
      const std::span<const uint32_t> entries = towns_.find(keys[n]);
      found.insert(found.end(), entries.begin(), entries.end());
    }
  };
  if (rest.empty()) return;
  addHeads(rest);
  for (TextView before : kBeforeTown)
    if (rest.size() > before.size() && rest.starts_with(before)) addHeads(rest.substr(before.size()));
}

}  // namespace zumaro
