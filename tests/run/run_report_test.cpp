// What the core tells a caller about the records that deserve a look: the
// rows as each record is done, the counts by reason, the summary line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lookup/data_search.h"
#include "run/conversion_run.h"
#include "run/record_report.h"
#include "run/report_file.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

const std::string kCase = ZUMARO_TEST_DATA_DIR "/report";

TEST(ReportLine, FieldsAreQuotedOnlyWhereTheyMustBe) {
  const struct {
    const char* name;
    const char16_t* field;
    std::string written;
  } cases[] = {
      {"plain", u"ﾐﾄﾞﾘｸ 1-2", "ﾐﾄﾞﾘｸ 1-2"},
      {"comma", u"1,2", "\"1,2\""},
      {"quote doubled", u"ｱｵﾊﾞ\"1\"", "\"ｱｵﾊﾞ\"\"1\"\"\""},
      {"line end", u"a\r\nb", "\"a\r\nb\""},
      {"empty", u"", ""},
  };
  for (const auto& c : cases) {
    ReportRow row{12, 34, ReportReason::ReadingDiffers, c.field, u"", u"1310045", u"東京都", u"確認"};
    EXPECT_EQ(reportLine(row), "12,34,reading-differs," + c.written + ",,1310045,東京都,確認\r\n") << c.name;
  }
}

TEST(ReportLine, EveryReasonHasItsWord) {
  const std::pair<ReportReason, const char*> words[] = {
      {ReportReason::NoPostalCode, "no-postal-code"},    {ReportReason::PostalCodeUnknown, "postal-code-unknown"},
      {ReportReason::ReadingDiffers, "reading-differs"}, {ReportReason::Ambiguous, "ambiguous"},
      {ReportReason::BusinessCode, "business-code"},     {ReportReason::PostalCodeRepaired, "postal-code-repaired"},
      {ReportReason::PartlyRead, "partly-read"},         {ReportReason::Misaligned, "misaligned"},
  };
  for (const auto& [reason, word] : words) EXPECT_EQ(toUtf8(reasonWord(reason)), word);
}

TEST(SummaryLine, CountsTheUnmatchedByReasonAndTheConvertedToCheck) {
  RunOutcome o;
  const std::string zeros =
      "読み込み 0件、照合 0件（うち記入済み 0件、要確認 0件）、照合なし 0件（郵便番号なし 0、郵便番号不明 0、"
      "読み不一致 0、候補複数 0）";
  EXPECT_EQ(toUtf8(summaryLine(o)), zeros);
  o.recordsRead = 20;
  o.recordsApplied = 10;
  o.recordsUnmatched = 10;
  o.reasons.noPostalCode = 1;
  o.reasons.postalCodeUnknown = 2;
  o.reasons.readingDiffers = 3;
  o.reasons.ambiguous = 4;
  o.reasons.businessCode = 5;
  o.reasons.postalCodeRepaired = 6;
  o.reasons.alreadyWritten = 7;
  o.reasons.partlyRead = 8;
  o.reasons.toCheck = 17;
  EXPECT_EQ(toUtf8(summaryLine(o)),
            "読み込み 20件、照合 10件（うち記入済み 7件、要確認 17件）、照合なし 10件（郵便番号なし 1、郵便番号不明 2、"
            "読み不一致 3、候補複数 4）");
}

// Each record counted once by what its report rows say of it.
TEST(ReasonCounts, CountTheRecordsAsTheirRowsNameThem) {
  using O = RecordOutcome;
  const struct {
    O outcome;
    bool alreadyWritten;
    const char16_t* kanaLeft;
    int64_t written, repaired, partlyRead, toCheck;
  } cases[] = {
      {O::Converted, false, u"", 0, 0, 0, 0},
      {O::Converted, true, u"", 1, 0, 0, 0},
      {O::Converted, false, u"ｱｲ", 0, 0, 1, 1},
      {O::Converted, true, u"ｱｲ", 1, 0, 1, 1},
      {O::ConvertedAfterRepair, false, u"", 0, 1, 0, 1},
      {O::ConvertedAfterRepair, false, u"ｱｲ", 0, 1, 1, 1},
      {O::ConvertedAfterRepair, true, u"", 1, 0, 0, 0},  // the written address confirms the code
      {O::ConvertedByBusinessCode, false, u"", 0, 0, 0, 1},
      {O::ConvertedWithFixedCode, false, u"", 0, 0, 0, 1},
      {O::ConvertedWithFixedCode, true, u"ｱｲ", 0, 0, 1, 1},  // the code it was fixed to is what to look at
      {O::ReadingDiffers, false, u"", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    RecordMatch m;
    m.outcome = c.outcome;
    m.alreadyWritten = c.alreadyWritten;
    m.kanaLeft = c.kanaLeft;
    ReasonCounts r;
    r.count(m);
    const std::string name =
        std::to_string(static_cast<int>(c.outcome)) + " " + std::to_string(c.alreadyWritten) + " " + toUtf8(c.kanaLeft);
    EXPECT_EQ(r.alreadyWritten, c.written) << name;
    EXPECT_EQ(r.postalCodeRepaired, c.repaired) << name;
    EXPECT_EQ(r.partlyRead, c.partlyRead) << name;
    EXPECT_EQ(r.toCheck, c.toCheck) << name;
  }
}

// A record that agreed with its address written in full is not reported,
// but for kana left behind and for where it begins.
TEST(RecordRows, AlreadyWrittenRecordsKeepOnlyTheirPartlyReadAndMisalignedRows) {
  using O = RecordOutcome;
  using R = ReportReason;
  ScanLookup lookup(kCase + "/data");
  AddressSearch search(lookup, kCase + "/data");
  DataEntry ome;
  ome[1] = u"東京都";
  ome[2] = u"青梅市";
  const struct {
    O outcome;
    bool alreadyWritten, startsLine;
    const char16_t* kanaLeft;
    std::vector<R> reasons;
  } cases[] = {
      {O::Converted, true, true, u"", {}},
      {O::ConvertedAfterRepair, true, true, u"", {}},
      {O::ConvertedAfterRepair, false, true, u"", {R::PostalCodeRepaired}},
      {O::Converted, true, true, u"ｱｲ", {R::PartlyRead}},
      {O::ConvertedAfterRepair, true, false, u"ｱｲ", {R::PartlyRead, R::Misaligned}},
      {O::ConvertedAfterRepair, false, true, u"ｱｲ", {R::PostalCodeRepaired, R::PartlyRead}},
  };
  for (const auto& c : cases) {
    ConversionState s;
    s.postalKey = u"1980000";
    s.match.best = viewOf(ome);
    s.match.outcome = c.outcome;
    s.match.alreadyWritten = c.alreadyWritten;
    s.match.kanaLeft = c.kanaLeft;
    std::vector<ReportRow> rows;
    reportRowsOf(s, RecordPlace{3, 3, c.startsLine, u"198-0000"}, search, rows);
    std::vector<R> reasons;
    for (const ReportRow& row : rows) reasons.push_back(row.reason);
    EXPECT_EQ(reasons, c.reasons) << static_cast<int>(c.outcome) << c.alreadyWritten << c.startsLine;
  }
}

// A written address that follows its code's entry through the town area
// departs only after it, whatever its readings say.
TEST(RecordRows, WrittenAddressIsComparedWithTheWrittenEntry) {
  ScanLookup lookup(kCase + "/data");
  AddressSearch search(lookup, kCase + "/data");
  ConversionState s;
  s.settings.prefecturePosition = 3;
  s.settings.cityPosition = 4;
  s.postalKey = u"5770000";
  s.cityFieldAsRead = u"東大阪市北鴻池町９－２";
  DataEntry kita;
  kita[1] = u"大阪府";
  kita[2] = u"東大阪市";
  kita[3] = u"北鴻池町";
  kita[7] = u"ﾋｶﾞｼｵｵｻｶｼ";
  kita[8] = u"ｷﾀｺｳﾉｲｹﾁﾖｳ";
  s.match.outcome = RecordOutcome::ReadingDiffers;
  s.match.addSeen(viewOf(kita), false, false, 0, 0);
  std::vector<ReportRow> rows;
  reportRowsOf(s, RecordPlace{1, 1, true, u"577-0000"}, search, rows);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(
      toUtf8(rows[0].message),
      "郵便番号577-0000の住所（東大阪市北鴻池町）のどれとも表記が合わず、最も近い東大阪市北鴻池町とは"
      "「東大阪市北鴻池町」の後の「９－２」から食い違うため、提案の5770000（大阪府東大阪市北鴻池町）でよいか確認して"
      "ください。");
}

class CoreReport : public ::testing::Test {
 protected:
  RunOutcome runGoldenList(RunRequest request) {
    SettingsTexts texts;
    texts.inputPath = fromUtf8(kCase + "/input.csv");
    texts.outputPath = fromUtf8(dir.file("out.csv"));
    texts.fieldCount = u"6";
    texts.postalCodePosition = u"2";
    texts.prefecturePosition = u"3";
    texts.cityPosition = u"4";
    texts.buildingPosition = u"5";
    texts.companyPosition = u"6";
    request.dataFolder = kCase + "/data";
    ConversionState s;
    return runConversion(s, texts, request);
  }

  testing::TempDir dir;
};

TEST_F(CoreReport, RowsReachTheCallerWithoutAnyFile) {
  std::vector<ReportRow> rows;
  RunRequest request;
  request.onReportRow = [&](const ReportRow& row) { rows.push_back(row); };
  const RunOutcome o = runGoldenList(request);
  ASSERT_EQ(o.status, RunOutcome::Status::Finished) << toUtf8(o.message);
  ASSERT_EQ(rows.size(), 14u);
  EXPECT_EQ(rows[0].record, 2);
  EXPECT_EQ(rows[0].reason, ReportReason::ReadingDiffers);
  EXPECT_EQ(rows[0].suggestedPostalCode, u"1310046");
  EXPECT_EQ(rows[0].suggestedAddress, u"東京都緑区桜台");
  // A record with two reasons gives two rows, the misaligned one last.
  EXPECT_EQ(rows[8].record, 11);
  EXPECT_EQ(rows[8].reason, ReportReason::NoPostalCode);
  EXPECT_EQ(rows[9].record, 11);
  EXPECT_EQ(rows[9].reason, ReportReason::Misaligned);
  EXPECT_EQ(rows[9].line, 10);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "out.csv alone";
}

TEST_F(CoreReport, OutcomeCountsByReasonWithOrWithoutAReport) {
  for (bool reporting : {false, true}) {
    RunRequest request;
    if (reporting) request.onReportRow = [](const ReportRow&) {};
    const RunOutcome o = runGoldenList(request);
    const ReasonCounts& r = o.reasons;
    EXPECT_EQ(r.noPostalCode, 2) << reporting;
    EXPECT_EQ(r.postalCodeUnknown, 2);
    EXPECT_EQ(r.readingDiffers, 3);
    EXPECT_EQ(r.ambiguous, 1);
    EXPECT_EQ(r.businessCode, 1);
    EXPECT_EQ(r.postalCodeRepaired, 2);
    EXPECT_EQ(r.partlyRead, 2);
    EXPECT_EQ(r.toCheck, 4) << "the record repaired and partly read is one to check";
    EXPECT_EQ(r.misaligned, 1);
    EXPECT_EQ(r.firstMisalignedRecord, 11);
    EXPECT_EQ(r.firstMisalignedLine, 10);
    EXPECT_EQ(o.recordsUnmatched, r.noPostalCode + r.postalCodeUnknown + r.readingDiffers + r.ambiguous);
    ASSERT_EQ(o.warnings.size(), 1u);
    EXPECT_EQ(o.warnings[0], misalignedWarning(r));
  }
}

}  // namespace
}  // namespace zumaro
