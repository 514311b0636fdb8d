// The report of the records that deserve a look, through the built program.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/program_run.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

const std::string kCase = ZUMARO_TEST_DATA_DIR "/report";
const std::string kSettings = " -n 6 --postal 2 --pref 3 --city 4 --building 5 --company 6";
const std::string kHeader =
    "\xEF\xBB\xBFrecord,line,reason,postal_code,address_as_read,suggested_postal_code,suggested_address,message\r\n";

std::string q(const std::string& s) { return testing::shellQuoted(s); }

class ReportCli : public ::testing::Test {
 protected:
  testing::ProgramOutcome run(const std::string& args) {
    return testing::runInFolder(dir.path(), q(ZUMARO_CONVERT_EXE) + " -i in.csv -o out.csv" + kSettings +
                                                " --data-dir " + q(kCase + "/data") + " " + args);
  }
  void useInput(const std::string& bytes) { writeBytes(dir.file("in.csv"), bytes); }
  std::string file(const std::string& name) const { return readBytes(dir.file(name)); }

  testing::TempDir dir;
};

// Every reason, a suggestion from the record's own code, one from the
// reading alone, none, and fields that must be quoted; kana a city's own
// code or a shorter town leaves (one of them with a repaired code: two
// rows, one record to check), and an address written in kanji that
// departs from the written entry.
TEST_F(ReportCli, GoldenListGivesTheGoldenReportWithEitherLookup) {
  useInput(readBytes(kCase + "/input.csv"));
  for (const char* lookup : {"fast", "scan"}) {
    const auto o = run("--report report.csv --lookup " + std::string(lookup));
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(file("report.csv"), readBytes(kCase + "/expected-report.csv")) << lookup;
    EXPECT_EQ(
        o.err,
        "郵便番号データ: " + kCase +
            "/data（日付不明、9件）\n"
            "警告: 行の先頭から始まらないレコードが1件あります（最初は11件目、10行目）。"
            "項目数の設定が元のファイルの各行の項目数と合っているか確認してください。\n"
            "変換処理終了\n"
            "読み込み 15件、照合 7件（うち記入済み 0件、要確認 4件）、照合なし 8件（郵便番号なし 2、郵便番号不明 2、"
            "読み不一致 3、候補複数 1）\n")
        << lookup;
  }
}

// One field for prefecture and city: the prefecture's reading is part of
// what is compared and searched, and of what the message names.
TEST_F(ReportCli, PrefectureInTheAddressFieldIsPartOfTheReading) {
  useInput(
      testing::cp932("\"1\",\"131-0045\",\"ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸｻｸﾗﾀﾞｲ3-4\",\"\",\"\",\"\"\r\n"
                     "\"2\",\"\",\"ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾏﾁ3-4\",\"\",\"\",\"\"\r\n"));
  const auto o = testing::runInFolder(dir.path(), q(ZUMARO_CONVERT_EXE) +
                                                      " -q -i in.csv -o out.csv -n 6 --postal 2 --pref 3 --city 3"
                                                      " --building 4 --data-dir " +
                                                      q(kCase + "/data") + " --report report.csv");
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(file("report.csv"),
            kHeader +
                "1,1,reading-differs,131-0045,ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸｻｸﾗﾀﾞｲ3-4,1310046,東京都緑区桜台,"
                "郵便番号131-0045の住所（東京都緑区本町（ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾏﾁ））のどれとも読みが合わず、"
                "最も近い東京都緑区本町とは「ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸ」の後の「ｻｸﾗﾀﾞｲ3-4」から食い違うため、"
                "提案の1310046（東京都緑区桜台）でよいか確認してください。\r\n"
                "2,2,no-postal-code,,ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾏﾁ3-4,1310045,東京都緑区本町,"
                "郵便番号の項目が空のため、提案の1310045（東京都緑区本町）でよいか確認してください。\r\n");
}

TEST_F(ReportCli, QuietSilencesTheWarningAndTheSummaryButNotTheReport) {
  useInput(readBytes(kCase + "/input.csv"));
  const auto o = run("--report report.csv --quiet");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(file("report.csv"), readBytes(kCase + "/expected-report.csv"));
}

TEST_F(ReportCli, SuggestionsAreNeverApplied) {
  useInput(readBytes(kCase + "/input.csv"));
  ASSERT_EQ(run("").code, 0);
  const std::string without = file("out.csv");
  ASSERT_EQ(run("--report report.csv").code, 0);
  EXPECT_EQ(file("out.csv"), without);
}

TEST_F(ReportCli, RunWithNothingToReportWritesTheHeaderAlone) {
  useInput(testing::cp932("\"1\",\"131-0045\",\"ﾄｳｷﾖｳﾄ\",\"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1\",\"\",\"\"\r\n"));
  writeBytes(dir.file("report.csv"), "an earlier report that is longer than the header of the new one, surely");
  const auto o = run("--report report.csv -q");
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(file("report.csv"), kHeader);
}

TEST_F(ReportCli, ReportFileFaultsNameTheFile) {
  const struct {
    std::string name, args, message;
  } cases[] = {
      {"missing folder", "--report nodir/r.csv",
       "要確認レコードの報告ファイルを作成できません。 nodir/r.csv（No such file or directory）"},
      {"the input", "--report in.csv", "要確認レコードの報告ファイルと元のファイルが同じです。 in.csv"},
      {"the output", "--report ./out.csv", "要確認レコードの報告ファイルと出力先のファイルが同じです。 out.csv"},
      {"the unmatched file", "--unmatched u.csv --report ./u.csv",
       "要確認レコードの報告ファイルと照合できなかったレコードのファイルが同じです。 ./u.csv"},
      {"a data file", "--report " + q(kCase + "/data/03.dat"),
       "要確認レコードの報告ファイルが郵便番号データのファイルと同じです。 " + kCase + "/data/03.dat"},
      {"a full device", "--report /dev/full",
       "要確認レコードの報告ファイル /dev/full に書き込めません（No space left on device）。"},
  };
  const std::string input = readBytes(kCase + "/input.csv");
  for (const auto& c : cases) {
    useInput(input);
    writeBytes(dir.file("out.csv"), "keep");
    const auto o = run(c.args);
    EXPECT_EQ(o.code, 1) << c.name;
    EXPECT_NE(o.err.find("エラーメッセージ: " + c.message + "\n"), std::string::npos) << c.name << "\n" << o.err;
    EXPECT_EQ(o.err.find("変換処理終了"), std::string::npos) << c.name;
    EXPECT_EQ(file("in.csv"), input) << c.name;
  }
}

TEST_F(ReportCli, UnmatchedFileKeepsItsFormatBesideTheReport) {
  useInput(readBytes(kCase + "/input.csv"));
  ASSERT_EQ(run("--unmatched u.csv").code, 0);
  const std::string alone = file("u.csv");
  ASSERT_EQ(run("--unmatched u.csv --report r.csv").code, 0);
  EXPECT_EQ(file("u.csv"), alone);
  EXPECT_EQ(file("u.csv").rfind("\"2\",\"131-0045\",", 0), 0u);
}

}  // namespace
}  // namespace zumaro
