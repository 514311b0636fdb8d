// The tolerant comparison against the classic one on records written as the
// old lists write them (large half-width kana, ASCII, no spaces): where
// exactly one entry of the code agrees under the classic comparison, by
// plain equality or the other reading of 町 really written, and no entry of
// the code names a building, both must write the same record. Random entries
// built from pieces that share prefixes and suffixes, and the real entries
// of the bundled sample data.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "address/classic_comparison.h"
#include "address/reading_agreement.h"
#include "address/reading_fold.h"
#include "lookup/data_file.h"
#include "testing/entry_run.h"
#include "testing/rng.h"

namespace zumaro {
namespace {

using bench::Rng;

const std::vector<std::u16string> kPieces = {u"ｻｸﾗ", u"ｷﾞ",  u"ﾁﾖｳ", u"ﾏﾁ", u"ﾎﾝ", u"ｷﾀ",   u"ｱｻﾞ",
                                             u"ｵｵ",  u"ﾐﾅﾐ", u"ｼ",   u"ﾁ",  u"ﾖｳ", u"3ｼﾞﾖｳ"};

struct Record {
  std::u16string prefecture, city;
  bool shared = false;
};

struct Verdict {
  bool covered = false;  // the guarantee speaks of this record
  std::string classic, tolerant;
};

void prepare(ConversionState& s, MatchMode mode, const Record& r) {
  s.settings.fieldCount = 5;
  s.settings.postalCodePosition = 1;
  s.settings.prefecturePosition = 2;
  s.settings.cityPosition = r.shared ? 2 : 3;
  s.settings.buildingPosition = 4;
  s.settings.companyPosition = 5;
  s.settings.positionOfFurtherField[1] = 5;
  s.settings.conversionOfFurtherField[1] = 4;
  s.matchMode = mode;
  s.recordField[2] = r.shared ? r.prefecture + r.city : r.prefecture;
  s.recordField[3] = r.shared ? u"" : r.city;
  s.recordField[4] = u"ﾋﾞﾙ";
  s.recordField[5] = u"ｶｲｼﾔ";
}

std::string slots(const ConversionState& s) {
  std::string out;
  for (int i = 1; i <= 5; ++i) out += toUtf8(s.recordField[static_cast<size_t>(i)]) + "|";
  return out;
}

bool classicAgrees(const Record& r, const DataEntry& e) {
  ConversionState s;
  prepare(s, MatchMode::Classic, r);
  testing::meetEntries(s, {e});
  return s.entryApplied;
}

// Agrees by equality or a 町 the record really reads the other way. A ﾏﾁ
// that goes on as ﾁﾖｳ where the entry reads ﾁﾖｳ (ﾐﾅﾐﾏﾁﾖｳ for ﾐﾅﾐﾁﾖｳ) is
// as much a kana doubled before the entry's own reading: that record is
// left as read by design, and the guarantee does not speak of it.
bool soundlyAgrees(const Record& r, const DataEntry& e) {
  FoldedText text;
  foldText(r.shared ? r.prefecture + r.city : r.city, text);
  const TextView last = e[8].empty() ? TextView(e[7]) : TextView(e[8]);
  if (text.view().find(u"ﾏﾁﾖｳ") != TextView::npos && last.ends_with(u"ﾁﾖｳ")) return false;
  const Agreement a = agreeReadings(text, {e[6], e[7], e[8], r.shared});
  return a.agrees && !a.passedOver;
}

Verdict judge(const Record& r, const std::vector<DataEntry>& entries) {
  Verdict v;
  int agreeing = 0;
  const DataEntry* only = nullptr;
  for (const DataEntry& e : entries) {
    if (!e[9].empty()) return v;
    if (classicAgrees(r, e)) {
      ++agreeing;
      only = &e;
    }
  }
  v.covered = agreeing == 1 && only->at(5).empty() && soundlyAgrees(r, *only);
  for (MatchMode mode : {MatchMode::Classic, MatchMode::Tolerant}) {
    ConversionState s;
    prepare(s, mode, r);
    testing::meetEntries(s, entries);
    (mode == MatchMode::Classic ? v.classic : v.tolerant) = slots(s);
  }
  return v;
}

std::u16string randomReading(Rng& rng, int most) {
  std::u16string reading;
  for (int n = rng.between(0, most); n > 0; --n) reading += rng.pick(kPieces);
  return reading;
}

DataEntry randomEntry(Rng& rng, int id) {
  DataEntry e;
  e[1] = u"東京都";
  e[2] = u"市" + fromUtf8(std::to_string(id));
  e[3] = u"町" + fromUtf8(std::to_string(id));
  e[5] = rng.percent(5) ? u"会社" : u"";
  e[6] = u"ﾄｳｷﾖｳﾄ";
  e[7] = randomReading(rng, 2);
  e[8] = randomReading(rng, 3);
  e[10] = e[5].empty() ? u"" : u"ｶｲｼﾔ";
  return e;
}

// The readings of one entry with the 町 perhaps read the other way, perhaps
// cut or lengthened, and a block number.
Record randomRecord(Rng& rng, const std::vector<DataEntry>& entries) {
  const DataEntry& e = rng.pick(entries);
  std::u16string text = e[7] + e[8];
  if (rng.percent(30)) text = text.substr(0, rng.below(text.size() + 1));
  if (rng.percent(30)) text += rng.pick(kPieces);
  for (auto [from, to] : {std::pair<TextView, TextView>{u"ﾁﾖｳ", u"ﾏﾁ"}, {u"ﾏﾁ", u"ﾁﾖｳ"}}) {
    size_t at = text.find(from);
    if (at != Text::npos && rng.percent(40)) text.replace(at, from.size(), to);
  }
  if (rng.percent(70)) text += u"1-2";
  return {rng.percent(50) ? u"ﾄｳｷﾖｳﾄ" : u"", text, rng.percent(25)};
}

std::string describe(const Record& r, const std::vector<DataEntry>& entries, const Verdict& v) {
  std::ostringstream out;
  out << "record " << toUtf8(r.prefecture) << "|" << toUtf8(r.city) << (r.shared ? " (one field)" : "") << "\n";
  for (const DataEntry& e : entries)
    out << "  entry " << toUtf8(e[3]) << " read " << toUtf8(e[7]) << "|" << toUtf8(e[8]) << "\n";
  out << "  classic  " << v.classic << "\n  tolerant " << v.tolerant << "\n";
  return out.str();
}

TEST(ComparisonGuarantee, RandomRecordsOfTheOldAlphabet) {
  Rng rng(7);
  int covered = 0;
  for (int n = 0; n < 20000; ++n) {
    std::vector<DataEntry> entries;
    for (int i = rng.between(1, 5); i > 0; --i) entries.push_back(randomEntry(rng, static_cast<int>(entries.size())));
    const Record r = randomRecord(rng, entries);
    const Verdict v = judge(r, entries);
    if (!v.covered) continue;
    ++covered;
    ASSERT_EQ(v.tolerant, v.classic) << describe(r, entries, v);
  }
  EXPECT_GT(covered, 5000) << "too few records the guarantee speaks of";
}

std::map<Text, std::vector<DataEntry>> sampleEntriesByCode() {
  std::map<Text, std::vector<DataEntry>> byCode;
  for (int k = 1; k <= kDataFileCount; ++k) {
    DataFile file(dataFilePath(ZUMARO_SAMPLE_DATA_DIR, k));
    file.open();
    Text key;
    DataEntry e;
    while (!file.atEnd()) {
      file.read(key, e);
      byCode[key].push_back(e);
    }
  }
  return byCode;
}

TEST(ComparisonGuarantee, RealEntriesOfTheSampleData) {
  Rng rng(11);
  int covered = 0;
  for (const auto& [code, entries] : sampleEntriesByCode()) {
    for (const DataEntry& e : entries) {
      if (!e[5].empty()) continue;
      const Record r{e[6], e[7] + e[8] + u"12-3", rng.percent(25)};
      const Verdict v = judge(r, entries);
      if (!v.covered) continue;
      ++covered;
      EXPECT_EQ(v.tolerant, v.classic) << describe(r, entries, v);
    }
  }
  EXPECT_GT(covered, 300);
}

}  // namespace
}  // namespace zumaro
