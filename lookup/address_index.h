#pragma once
// Every address entry of a data folder, found by how a record's address
// begins: the prefecture it names, the city (read or written, with or
// without its 郡 or designated city), then the head of the town area's name.
// Gives the few entries worth comparing with a record whose own postal code
// found nothing; the comparison itself is the caller's. Built once per run,
// only for a run that reports or fixes codes, from the files the lookup holds
// anyway (read here when it does not hold them).
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lookup/data_search.h"
#include "lookup/hash_ranges.h"
#include "text/text.h"

namespace zumaro {

class AddressIndex {
 public:
  static constexpr int kNoPrefecture = -1;

  // From data files 1..23 of `lookup`, or of `folder` for those it does not
  // hold. Entries after a fault in a file are left out; business entries
  // and a high-rise's floors are never found.
  void build(DataLookup& lookup, const std::string& folder);

  EntryView entry(uint32_t i) const;
  TextView postalCode(uint32_t i) const;
  // Whether entry i's readings fold to themselves, as the data writes them.
  bool readingsFold(uint32_t i) const { return entries_[i].readingsFold; }

  // The prefecture whose reading or written form `folded` is, or heads.
  int prefectureNamed(TextView folded) const;
  int prefectureAtHead(TextView folded, size_t& end) const;

  // Entries whose city `folded` names from `at` on, of `prefecture` (any
  // when kNoPrefecture): those whose town area may begin where the city
  // ends, into `found` (each once, in data order). A city named without its
  // 郡 or designated city counts only where `leadMayBeLeftOut`. Entries
  // that name no town area go into `citywide`.
  void candidates(TextView folded, size_t at, int prefecture, bool leadMayBeLeftOut, std::vector<uint32_t>& found,
                  std::vector<uint32_t>& citywide) const;

 private:
  struct Place {
    uint16_t file = 0;
    uint32_t index = 0;
    uint32_t city = 0;
    bool readingsFold = false;
  };
  struct City {
    int prefecture = kNoPrefecture;
    Text written;
  };
  struct Prefecture {
    Text reading, written;  // folded
  };
  struct CityName {
    uint32_t city = 0;
    bool lead = false;            // the name without its 郡 or designated city
    uint32_t at = 0, length = 0;  // the folded name in namePool_
    // A name is kept once a city and a kind: the hash beside it tells it.
    bool operator<(const CityName& o) const { return city != o.city ? city < o.city : lead < o.lead; }
    bool operator==(const CityName& o) const { return city == o.city && lead == o.lead; }
  };
  TextView nameOf(const CityName& n) const { return TextView(namePool_).substr(n.at, n.length); }

  void add(uint16_t file, uint32_t index, const EntryView& e);
  uint32_t cityOf(const EntryView& e, int prefecture);
  int prefectureOf(const EntryView& e);
  void nameCity(uint32_t city, const EntryView& e);
  void addName(uint32_t city, bool lead, TextView folded);
  void bucket(uint32_t city, TextView head, uint32_t entry);
  static void dedupe(std::vector<uint32_t>& found, std::vector<uint32_t>& citywide);
  void collect(uint32_t city, TextView rest, std::vector<uint32_t>& found) const;

  std::vector<std::unique_ptr<LoadedDataFile>> own_;
  std::vector<LoadedDataFile*> files_;  // [k] for data file k
  std::vector<Place> entries_;
  std::vector<City> cities_;
  std::vector<Prefecture> prefectures_;
  std::unordered_map<Text, int> prefectureByWritten_;
  std::unordered_map<char16_t, std::vector<std::pair<Text, int>>> prefectureNames_;  // by first unit
  std::unordered_map<Text, uint32_t> cityByName_;                                    // written prefecture and city
  HashRanges<CityName> names_;                                                       // by hash of the folded name
  Text namePool_;
  // Whether a name's hash has these low bits: most heads of a text name no
  // city, and are let go without a look into names_.
  static constexpr uint64_t kNameSeenMask = (1u << 20) - 1;
  std::vector<bool> nameSeen_ = std::vector<bool>(kNameSeenMask + 1);
  // Entries by the key of their city and the head of their town area's name.
  HashRanges<uint32_t> towns_;
  int lastPrefecture_ = kNoPrefecture;  // of the entry added last
  Text townRoom_, writtenRoom_;         // for folding, kept from entry to entry
  uint32_t lastCity_ = 0;
  std::vector<std::vector<uint32_t>> citywide_;  // [city]: its own entries
  size_t longestName_ = 0;
};

}  // namespace zumaro
