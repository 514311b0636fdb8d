// What the core tells a caller about the records that deserve a look: the
// rows as each record is done, the counts by reason, the summary line.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/conversion_run.h"
#include "run/report_file.h"
#include "support/temp_dir.h"

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
      {ReportReason::Misaligned, "misaligned"},
  };
  for (const auto& [reason, word] : words) EXPECT_EQ(toUtf8(reasonWord(reason)), word);
}

TEST(SummaryLine, CountsTheUnmatchedByReasonAndTheConvertedToCheck) {
  RunOutcome o;
  o.recordsRead = 20;
  o.recordsApplied = 10;
  o.recordsUnmatched = 10;
  o.reasons.noPostalCode = 1;
  o.reasons.postalCodeUnknown = 2;
  o.reasons.readingDiffers = 3;
  o.reasons.ambiguous = 4;
  o.reasons.businessCode = 5;
  o.reasons.postalCodeRepaired = 6;
  EXPECT_EQ(toUtf8(summaryLine(o)),
            "読み込み 20件、照合 10件、照合なし 10件（郵便番号なし 1、郵便番号不明 2、読み不一致 3、候補複数 "
            "4）、要確認 11件");
}

class CoreReport : public ::testing::Test {
 protected:
  RunOutcome runGoldenList(RunRequest request) {
    SettingsTexts texts;
    texts.txtin = fromUtf8(kCase + "/input.csv");
    texts.txtout = fromUtf8(dir.file("out.csv"));
    texts.txtsu = u"6";
    texts.txtno = u"2";
    texts.txtken = u"3";
    texts.txtcity = u"4";
    texts.txtbil = u"5";
    texts.Texco = u"6";
    request.dataFolder = kCase + "/data";
    ConversionState s;
    return cmdact(s, texts, request);
  }

  testing::TempDir dir;
};

TEST_F(CoreReport, RowsReachTheCallerWithoutAnyFile) {
  std::vector<ReportRow> rows;
  RunRequest request;
  request.onReportRow = [&](const ReportRow& row) { rows.push_back(row); };
  const RunOutcome o = runGoldenList(request);
  ASSERT_EQ(o.status, RunOutcome::Status::Finished) << toUtf8(o.message);
  ASSERT_EQ(rows.size(), 10u);
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
    EXPECT_EQ(r.readingDiffers, 2);
    EXPECT_EQ(r.ambiguous, 1);
    EXPECT_EQ(r.businessCode, 1);
    EXPECT_EQ(r.postalCodeRepaired, 1);
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
