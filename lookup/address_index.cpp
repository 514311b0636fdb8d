#include "lookup/address_index.h"

#include <algorithm>

#include "address/city_parts.h"
#include "address/reading_fold.h"
#include "address/written_form.h"
#include "lookup/text_hash.h"

namespace zumaro {
namespace {

constexpr char16_t kAnyFirst = 0xFFFF;  // a town area that may begin with any number, read or in digits
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

uint64_t townKey(uint32_t city, char16_t first) { return (static_cast<uint64_t>(city) << 16) | first; }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

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
}

EntryView AddressIndex::entry(uint32_t i) const { return files_[entries_[i].file]->entryView(entries_[i].index); }

TextView AddressIndex::postalCode(uint32_t i) const { return files_[entries_[i].file]->key(entries_[i].index); }

void AddressIndex::add(uint16_t file, uint32_t index, const EntryView& e) {
  if (!e[5].empty() || e[7].empty()) return;  // business entries are found by their code alone
  const uint32_t city = cityOf(e, prefectureOf(e));
  const auto at = static_cast<uint32_t>(entries_.size());
  entries_.push_back({file, index, city, e[8].empty()});
  if (e[8].empty()) {
    citywide_[city].push_back(at);
    return;
  }
  const Text town = folded(e[8]);
  const Text written = folded(e[3]);
  bucket(city, town.front(), at);
  if (!written.empty() && written.front() != town.front()) bucket(city, written.front(), at);
  // A number at the head may be read out where the data has digits, or
  // stand in digits where the data reads it.
  if (isDigit(town.front()) || (!written.empty() && holdsNumeral(written.substr(0, 1)))) bucket(city, kAnyFirst, at);
}

void AddressIndex::bucket(uint32_t city, char16_t first, uint32_t entry) {
  std::vector<uint32_t>& entries = towns_[townKey(city, first)];
  if (entries.empty() || entries.back() != entry) entries.push_back(entry);
}

int AddressIndex::prefectureOf(const EntryView& e) {
  const auto [it, added] = prefectureByWritten_.try_emplace(Text(e[1]), static_cast<int>(prefectures_.size()));
  if (added) prefectures_.push_back({folded(e[6]), folded(e[1])});
  return it->second;
}

uint32_t AddressIndex::cityOf(const EntryView& e, int prefecture) {
  const auto [it, added] = cityByName_.try_emplace(joined({e[1], u"\t", e[2]}), static_cast<uint32_t>(cities_.size()));
  if (added) {
    cities_.push_back({prefecture});
    nameCity(it->second, e);
  }
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
  std::vector<CityName>& names = names_[hashOf(name)];
  for (const CityName& n : names)
    if (n.city == city && n.lead == lead && n.text == name) return;
  names.push_back({city, lead, Text(name)});
  longestName_ = std::max(longestName_, name.size());
}

int AddressIndex::prefectureNamed(TextView text) const {
  for (size_t p = 0; p < prefectures_.size(); ++p)
    if (text == prefectures_[p].reading || text == prefectures_[p].written) return static_cast<int>(p);
  return kNoPrefecture;
}

int AddressIndex::prefectureAtHead(TextView text, size_t& end) const {
  for (size_t p = 0; p < prefectures_.size(); ++p) {
    for (const Text* name : {&prefectures_[p].reading, &prefectures_[p].written}) {
      if (!name->empty() && text.starts_with(*name)) {
        end = name->size();
        return static_cast<int>(p);
      }
    }
  }
  return kNoPrefecture;
}

void AddressIndex::candidates(TextView text, size_t at, int prefecture, bool leadMayBeLeftOut,
                              std::vector<uint32_t>& found, std::vector<uint32_t>& citywide) const {
  uint64_t hash = kHashStart;
  for (size_t end = at; end < text.size() && end - at < longestName_; ++end) {
    hash = hashOn(hash, text[end]);
    const auto named = names_.find(hash);
    if (named == names_.end()) continue;
    const TextView name = text.substr(at, end + 1 - at);
    for (const CityName& n : named->second) {
      if (n.text != name || (n.lead && !leadMayBeLeftOut)) continue;
      if (prefecture != kNoPrefecture && cities_[n.city].prefecture != prefecture) continue;
      collect(n.city, text.substr(end + 1), found);
      if (const auto own = citywide_.find(n.city); own != citywide_.end())
        citywide.insert(citywide.end(), own->second.begin(), own->second.end());
    }
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  std::sort(citywide.begin(), citywide.end());
  citywide.erase(std::unique(citywide.begin(), citywide.end()), citywide.end());
}

// The entries of `city` whose town area may begin `rest`, after a 大字 or
// 字 too.
void AddressIndex::collect(uint32_t city, TextView rest, std::vector<uint32_t>& found) const {
  auto add = [&](char16_t first) {
    if (const auto towns = towns_.find(townKey(city, first)); towns != towns_.end())
      found.insert(found.end(), towns->second.begin(), towns->second.end());
  };
  add(kAnyFirst);
  if (rest.empty()) return;
  add(rest.front());
  for (TextView before : kBeforeTown)
    if (rest.size() > before.size() && rest.starts_with(before)) add(rest[before.size()]);
}

}  // namespace zumaro
