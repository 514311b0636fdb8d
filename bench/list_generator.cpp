#include "bench/list_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "bench/cp932_file.h"
#include "bench/names.h"
#include "lookup/data_file.h"
#include "state/conversion_state.h"
#include "state/failure.h"
#include "testing/rng.h"

namespace zumaro::bench {
namespace {

constexpr int kListFields = 10;

struct DataEntry {
  std::string key, prefecture, city, town;
  bool business;
};

std::vector<DataEntry> readEntries(const std::string& folder) {
  std::vector<DataEntry> entries;
  Text entryKey;
  std::array<Text, 11> entryColumn;
  for (int k = 1; k <= kDataFileCount; ++k) {
    DataFile file(dataFilePath(folder, k));
    try {
      file.open();
      while (!file.atEnd()) {
        file.read(entryKey, entryColumn);
        entries.push_back({toUtf8(entryKey), toUtf8(entryColumn[6]), toUtf8(entryColumn[7]), toUtf8(entryColumn[8]),
                           !entryColumn[5].empty()});
      }
    } catch (const RunFailure& e) {
      std::fprintf(stderr, "%s\n", toUtf8(e.message).c_str());
      std::exit(1);
    }
  }
  return entries;
}

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The other reading of 町 at the end of `reading`, or nothing to change.
bool swapTownSuffix(std::string& reading) {
  static const std::string chou = "ﾁﾖｳ", machi = "ﾏﾁ";
  if (endsWith(reading, chou)) {
    reading.replace(reading.size() - chou.size(), chou.size(), machi);
    return true;
  }
  if (endsWith(reading, machi)) {
    reading.replace(reading.size() - machi.size(), machi.size(), chou);
    return true;
  }
  return false;
}

struct Record {
  std::string key;  // for sorting
  std::array<std::string, kListFields> fields;
};

// A record as it is written, with its key to sort by.
struct ListLine {
  std::string key, line;
};

std::string digits(Rng& rng, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += static_cast<char>('0' + rng.below(10));
  return out;
}

// Each draw is a statement of its own: the operands of + may be evaluated
// in any order, and the files must not depend on the compiler.
std::string blockNumber(Rng& rng) {
  std::string out = std::to_string(rng.between(1, 9));
  out.append("-").append(std::to_string(rng.between(1, 30)));
  if (rng.percent(60)) out.append("-").append(std::to_string(rng.between(1, 20)));
  return out;
}

const std::vector<std::string> kNotes = {
    "", "", "call before delivery", "leave at door", "weekends only", "fragile goods"};

class ListMaker {
 public:
  ListMaker(const std::string& folder, uint64_t seed) : rng_(seed), entries_(readEntries(folder)) {
    for (size_t i = 0; i < entries_.size(); ++i) {
      const DataEntry& e = entries_[i];
      knownKeys_.insert(e.key);
      (e.business ? business_ : address_).push_back(i);
      std::string town = e.town;
      if (!e.business && swapTownSuffix(town)) withTownSuffix_.push_back(i);
    }
    if (address_.empty()) {
      std::fprintf(stderr, "%s: no address entries\n", folder.c_str());
      std::exit(1);
    }
  }

  Record next(int64_t number) {
    Record r;
    auto& f = r.fields;
    f[0] = std::to_string(100000 + number);
    f[1] = kanaReading(rng_, rng_.between(2, 4));
    f[1].append(" ").append(kanaReading(rng_, rng_.between(2, 3)));
    const int roll = static_cast<int>(rng_.below(100));
    if (roll < 10) {
      unknownKey(r);
    } else if (roll < 15 && !withTownSuffix_.empty()) {
      fromEntry(r, entries_[rng_.pick(withTownSuffix_)], true);
    } else {
      const bool business = roll < 19 && !business_.empty();
      fromEntry(r, entries_[rng_.pick(business ? business_ : address_)], false);
    }
    const bool hyphen = r.key.size() == 7 && rng_.percent(80);
    f[2] = hyphen ? r.key.substr(0, 3).append("-").append(r.key, 3) : r.key;
    if (rng_.percent(15)) {
      f[5] = kanaReading(rng_, rng_.between(2, 4));
      f[5].append("ﾋﾞﾙ ").append(std::to_string(rng_.between(1, 12))).append("ｶｲ");
    }
    if (rng_.percent(10)) f[6] = std::string("ｶﾌﾞｼｷｶﾞｲｼﾔ ").append(kanaReading(rng_, rng_.between(2, 5)));
    f[7] = telephone();
    f[8] = date();
    f[9] = rng_.pick(kNotes);
    return r;
  }

 private:
  std::string telephone() {
    std::string t = digits(rng_, 2);
    t[0] = '0';
    return t.append("-").append(digits(rng_, 4)).append("-").append(digits(rng_, 4));
  }

  std::string date() {
    return std::string("2026/")
        .append(std::to_string(rng_.between(1, 12)))
        .append("/")
        .append(std::to_string(rng_.between(1, 28)));
  }

  void fromEntry(Record& r, const DataEntry& e, bool otherSuffix) {
    std::string town = e.town;
    if (otherSuffix) swapTownSuffix(town);
    r.key = e.key;
    r.fields[3] = rng_.percent(90) ? e.prefecture : "";
    r.fields[4] = e.city + town + blockNumber(rng_);
  }

  void unknownKey(Record& r) {
    do {
      r.key = digits(rng_, 7);
    } while (knownKeys_.count(r.key) > 0 || r.key < "0010000");
    const DataEntry& e = entries_[rng_.pick(address_)];
    r.fields[3] = e.prefecture;
    r.fields[4] = e.city + e.town + blockNumber(rng_);
  }

  Rng rng_;
  std::vector<DataEntry> entries_;
  std::unordered_set<std::string> knownKeys_;
  std::vector<size_t> address_, business_, withTownSuffix_;
};

}  // namespace

void generateList(const std::string& dataFolder, const std::string& path, const ListShape& shape) {
  ListMaker maker(dataFolder, shape.seed);
  std::vector<ListLine> records;
  records.reserve(static_cast<size_t>(shape.records));
  for (int64_t i = 1; i <= shape.records; ++i) {
    Record r = maker.next(i);
    records.push_back({r.key, quotedFields(r.fields.data(), r.fields.size())});
  }
  if (shape.order == ListOrder::Sorted) {
    std::stable_sort(records.begin(), records.end(),
                     [](const ListLine& a, const ListLine& b) { return a.key < b.key; });
  }
  Cp932File file(path);
  for (const ListLine& r : records) file.line(r.line);
}

}  // namespace zumaro::bench
