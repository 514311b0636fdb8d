#include "address/entry_choice.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/entry_run.h"

namespace zumaro {
namespace {

struct Written {
  std::u16string town, building = {}, company = {};
};
struct Read {
  std::u16string city, town, building = {};
};

// An entry of 横浜市 (ﾖｺﾊﾏｼ) in 神奈川県, with the given town, building and company.
DataEntry entry(const Written& w, const Read& r) {
  DataEntry e;
  e[1] = u"神奈川県";
  e[2] = u"横浜市";
  e[3] = w.town;
  e[4] = w.building;
  e[5] = w.company;
  e[6] = u"ｶﾅｶﾞﾜｹﾝ";
  e[7] = r.city.empty() ? u"ﾖｺﾊﾏｼ" : r.city;
  e[8] = r.town;
  e[9] = r.building;
  e[10] = w.company.empty() ? u"" : u"ｶｲｼﾔ";
  return e;
}

struct Result {
  std::string prefecture, city, building, company;
  RecordOutcome outcome;
};

// One record (postal code, prefecture, city, building, company) searched
// against `entries`, all of its code, in file order.
Result convert(MatchMode mode, const std::vector<std::u16string>& record, const std::vector<DataEntry>& entries,
               bool repairedKey = false) {
  ConversionState s;
  s.settings.fieldCount = 5;
  s.settings.postalCodePosition = 1;
  s.settings.prefecturePosition = 2;
  s.settings.cityPosition = 3;
  s.settings.buildingPosition = 4;
  s.settings.companyPosition = 5;
  s.matchMode = mode;
  for (size_t i = 0; i < record.size(); ++i) s.recordField[i + 1] = record[i];
  s.match.keyRepaired = repairedKey;
  testing::meetEntries(s, entries);
  return {toUtf8(s.recordField[2]), toUtf8(s.recordField[3]), toUtf8(s.recordField[4]), toUtf8(s.recordField[5]),
          s.match.outcome};
}

const DataEntry kSakuragi = entry({u"桜木"}, {u"", u"ｻｸﾗｷﾞ"});
const DataEntry kSakuragiChou = entry({u"桜木町"}, {u"", u"ｻｸﾗｷﾞﾁﾖｳ"});

TEST(EntryChoice, TheLongestAgreementWinsWhereverItStands) {
  for (const auto& entries : {std::vector{kSakuragi, kSakuragiChou}, std::vector{kSakuragiChou, kSakuragi}}) {
    Result r = convert(MatchMode::Tolerant, {u"2310062", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼｻｸﾗｷﾞﾁﾖｳ1-1"}, entries);
    EXPECT_EQ(r.city, "横浜市桜木町１－１");
    EXPECT_EQ(r.outcome, RecordOutcome::Converted);
  }
  // The old comparison lets the last agreeing entry win.
  EXPECT_EQ(convert(MatchMode::Classic, {u"2310062", u"", u"ﾖｺﾊﾏｼｻｸﾗｷﾞﾁﾖｳ1-1"}, {kSakuragiChou, kSakuragi}).city,
            "横浜市桜木チヨウ１－１");
}

TEST(EntryChoice, TownsReadAlikeAreLeftAsRead) {
  const DataEntry oohori = entry({u"大堀"}, {u"", u"ｵｵﾎﾘ"});
  const DataEntry ooHori = entry({u"大保里"}, {u"", u"ｵｵﾎﾘ"});
  Result r = convert(MatchMode::Tolerant, {u"2310062", u"ｶﾅｶﾞﾜｹﾝ", u"ﾖｺﾊﾏｼｵｵﾎﾘ5", u"ﾋﾞﾙ"}, {oohori, ooHori});
  EXPECT_EQ(r.outcome, RecordOutcome::Ambiguous);
  EXPECT_EQ(r.prefecture + r.city + r.building, "ｶﾅｶﾞﾜｹﾝﾖｺﾊﾏｼｵｵﾎﾘ5ﾋﾞﾙ");
  // Two entries written alike are no choice at all.
  EXPECT_EQ(convert(MatchMode::Tolerant, {u"2310062", u"", u"ﾖｺﾊﾏｼｵｵﾎﾘ5"}, {oohori, oohori}).outcome,
            RecordOutcome::Converted);
}

TEST(EntryChoice, ARecordNoEntryAgreesWithIsWrittenAsRead) {
  const DataEntry tower = entry({u"桜木町", u"ランドマークタワー"}, {u"", u"ｻｸﾗｷﾞﾁﾖｳ", u"ﾗﾝﾄﾞﾏｰｸﾀﾜｰ"});
  Result r = convert(MatchMode::Tolerant, {u"2310062", u"", u"ﾍﾞﾂﾉﾏﾁ1", u"ﾋﾞﾙ", u"ｶｲｼﾔ"}, {kSakuragi, tower});
  EXPECT_EQ(r.outcome, RecordOutcome::ReadingDiffers);
  EXPECT_EQ(r.prefecture + "|" + r.city + "|" + r.building + "|" + r.company, "|ﾍﾞﾂﾉﾏﾁ1|ﾋﾞﾙ|ｶｲｼﾔ");
  EXPECT_EQ(convert(MatchMode::Tolerant, {u"2310062", u"", u"ﾖｺﾊﾏｼ"}, {}).outcome, RecordOutcome::PostalCodeUnknown);
}

TEST(EntryChoice, TheRecordsOwnBuildingTextIsKept) {
  const DataEntry tower = entry({u"桜木町", u"ランドマークタワー３階"}, {u"", u"ｻｸﾗｷﾞﾁﾖｳ", u"ﾗﾝﾄﾞﾏｰｸﾀﾜｰ3ｶｲ"});
  struct {
    std::u16string building;
    std::string written;
  } cases[] = {{u"", "ランドマークタワー３階"},
               {u"ﾗﾝﾄﾞﾏｰｸﾀﾜｰ3ｶｲ 301", "ランドマークタワー３階　３０１"},
               {u"らんどまーくたわー3かい", "ランドマークタワー３階"},
               {u"ﾍﾞﾂﾉﾋﾞﾙ 2F", "ベツノビル　２Ｆ"}};
  for (const auto& c : cases) {
    Result r = convert(MatchMode::Tolerant, {u"2208103", u"", u"ﾖｺﾊﾏｼｻｸﾗｷﾞﾁﾖｳ2-2-1", c.building}, {tower});
    EXPECT_EQ(r.building, c.written) << toUtf8(c.building);
  }
}

TEST(EntryChoice, BusinessEntriesKeepTheirRuleButNeverForARepairedCode) {
  const DataEntry company = entry({u"桜木町１－１", u"", u"株式会社サクラ"}, {u"", u""});
  Result r = convert(MatchMode::Tolerant, {u"2318501", u"", u"ﾅﾝﾃﾞﾓ", u"ﾋﾞﾙ", u"ﾍﾞﾂﾉｶｲｼﾔ"}, {company});
  EXPECT_EQ(r.outcome, RecordOutcome::ConvertedByBusinessCode);
  EXPECT_EQ(r.city + "|" + r.company, "横浜市桜木町１－１|株式会社サクラ");
  r = convert(MatchMode::Tolerant, {u"231850", u"", u"ﾅﾝﾃﾞﾓ"}, {company}, true);
  EXPECT_EQ(r.outcome, RecordOutcome::PostalCodeUnknown);
  EXPECT_EQ(r.city, "ﾅﾝﾃﾞﾓ");
  r = convert(MatchMode::Tolerant, {u"23162", u"", u"ﾖｺﾊﾏｼｻｸﾗｷﾞ 3"}, {kSakuragi}, true);
  EXPECT_EQ(r.outcome, RecordOutcome::ConvertedAfterRepair);
  EXPECT_EQ(r.city, "横浜市桜木３");
}

}  // namespace
}  // namespace zumaro
