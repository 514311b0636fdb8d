// The settings added to the form, run for real: the check boxes and the
// encoding give the command line's output byte for byte, the completion box
// carries the command line's summary, and 確認… opens the review window,
// which saves what the command line writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTableView>

#include "forms/form_harness.h"
#include "forms/review_window.h"
#include "forms/settings_form.h"
#include "testing/program_run.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::control;
using testing::executeAndWait;
using testing::MessageLog;
using testing::readBytes;
using testing::shellQuoted;
using testing::type;
using testing::writeBytes;

// Five fields, UTF-8, a header line; block numbers written the ways the
// written style changes, and one record of a code that does not exist.
const std::string kList =
    "番号,郵便番号,県名,住所,ビル名\r\n"
    "1,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1ｰ2ｰ3,\r\n"
    "2,112-0013,ﾄｳｷﾖｳﾄ,ﾌﾞﾝｷﾖｳｸｵﾄﾜ1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ,ｵﾄﾜﾊｲﾂ201\r\n"
    "3,999-9999,ﾄｳｷﾖｳﾄ,ﾌﾞﾝｷﾖｳｸｵﾄﾜ1-2-3,\r\n";

class AddedSettingsRun : public ::testing::Test {
 protected:
  AddedSettingsRun() {
    writeBytes(dir.file("in.csv"), kList);
    form.show();
    type(form, "inputPathBox", QString::fromStdString(dir.file("in.csv")));
    type(form, "fieldCountBox", "5");
    type(form, "postalCodePositionBox", "2");
    type(form, "prefecturePositionBox", "3");
    type(form, "cityPositionBox", "4");
    type(form, "buildingPositionBox", "5");
  }

  // The form's output with `out` as the output file.
  std::string runForm(const std::string& out) {
    type(form, "outputPathBox", QString::fromStdString(dir.file(out)));
    log.messages.clear();
    executeAndWait(form);
    EXPECT_FALSE(log.messages.empty());
    return readBytes(dir.file(out));
  }

  // The command line's run of the same settings with `options`.
  testing::ProgramOutcome runCli(const std::string& out, const std::string& options) {
    const std::string command = shellQuoted(ZUMARO_CONVERT_EXE) + " -i " + shellQuoted(dir.file("in.csv")) + " -o " +
                                shellQuoted(dir.file(out)) +
                                " -n 5 --postal 2 --pref 3 --city 4 --building 5 --data-dir " +
                                shellQuoted(ZUMARO_BUILT_DATA_DIR) + " " + options;
    testing::ProgramOutcome outcome = testing::runInFolder(dir.path(), command);
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    return outcome;
  }

  testing::TempDir dir;
  MessageLog log;
  forms::SettingsForm form{ZUMARO_BUILT_DATA_DIR};
};

TEST_F(AddedSettingsRun, EachCheckBoxChangesTheOutputAsItsOptionDoes) {
  const struct {
    const char* box;
    const char* option;
  } cases[] = {{"kanjiBlocksCheck", "--blocks written"}, {"headerRowCheck", "--header"}};
  const std::string plain = runForm("plain.csv");
  runCli("plain-cli.csv", "");
  ASSERT_EQ(plain, readBytes(dir.file("plain-cli.csv")));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    auto* box = control<QCheckBox>(form, c.box);
    box->setChecked(true);
    const std::string fromForm = runForm(std::string(c.box) + ".csv");
    box->setChecked(false);
    runCli(std::string(c.box) + "-cli.csv", c.option);
    EXPECT_EQ(fromForm, readBytes(dir.file(std::string(c.box) + "-cli.csv")));
    EXPECT_NE(fromForm, plain);  // the option does change this list
  }
}

// A bank's list: city and town area in two fields.
TEST_F(AddedSettingsRun, TownBoxGivesTheCommandLinesOutput) {
  writeBytes(dir.file("in.csv"),
             "1,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼﾅｶｸ,ｻｸﾗｷﾞﾁﾖｳ1ｰ1,\r\n"
             "2,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ,1-1,ﾗﾝﾄﾞﾏｰｸ\r\n");
  type(form, "fieldCountBox", "6");
  type(form, "buildingPositionBox", "6");
  EXPECT_EQ(control<QLineEdit>(form, "townPositionBox")->text(), "0");
  type(form, "townPositionBox", "5");
  control<QCheckBox>(form, "kanjiBlocksCheck")->setChecked(true);
  const std::string fromForm = runForm("form.csv");
  const testing::ProgramOutcome cli = testing::runInFolder(
      dir.path(), shellQuoted(ZUMARO_CONVERT_EXE) + " -q -i in.csv -o cli.csv -n 6 --postal 2 --pref 3 --city 4" +
                      " --town 5 --building 6 --blocks written --data-dir " + shellQuoted(ZUMARO_BUILT_DATA_DIR));
  ASSERT_EQ(cli.code, 0) << cli.err;
  EXPECT_EQ(fromForm, readBytes(dir.file("cli.csv")));
  type(form, "townPositionBox", "0");
  EXPECT_NE(runForm("plain.csv"), fromForm);  // the box does change this list
}

// Codes that are wrong (another town's, a number no entry has) or missing,
// which the reading names for certain.
TEST_F(AddedSettingsRun, FixPostalCodeBoxGivesTheCommandLinesOutput) {
  const std::string reportCase = ZUMARO_TEST_DATA_DIR "/report";
  const std::string list = readBytes(reportCase + "/input.csv");
  writeBytes(dir.file("in.csv"), list);
  form.setDataFolder(reportCase + "/data");
  type(form, "fieldCountBox", "6");
  type(form, "companyPositionBox", "6");
  auto* box = control<QCheckBox>(form, "fixPostalCodeCheck");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isChecked());  // off until asked for
  EXPECT_EQ(box->text(), QStringLiteral("郵便番号を直す"));
  const std::string plain = runForm("plain.csv");
  box->setChecked(true);
  const std::string fixed = runForm("fixed.csv");
  for (const auto& [option, fromForm] : {std::pair{"", plain}, std::pair{" --fix-postal-code", fixed}}) {
    SCOPED_TRACE(option);
    const testing::ProgramOutcome cli = testing::runInFolder(
        dir.path(), shellQuoted(ZUMARO_CONVERT_EXE) + " -q -i in.csv -o cli.csv -n 6 --postal 2 --pref 3 --city 4" +
                        " --building 5 --company 6 --data-dir " + shellQuoted(reportCase + "/data") + option);
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_EQ(fromForm, readBytes(dir.file("cli.csv")));
  }
  EXPECT_NE(fixed, plain);  // the box does change this list
  EXPECT_EQ(readBytes(dir.file("in.csv")), list);
}

TEST_F(AddedSettingsRun, EncodingChoiceReadsTheInputAsTheOptionDoes) {
  const struct {
    int item;
    const char* option;
  } cases[] = {{0, "--encoding auto"}, {2, "--encoding utf-8"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    control<QComboBox>(form, "encodingChoice")->setCurrentIndex(c.item);
    const std::string fromForm = runForm("form.csv");
    runCli("cli.csv", c.option);
    EXPECT_EQ(fromForm, readBytes(dir.file("cli.csv")));
  }
  // Read as code page 932 the UTF-8 list is not what it was.
  control<QComboBox>(form, "encodingChoice")->setCurrentIndex(1);
  const std::string asCp932 = runForm("cp932.csv");
  EXPECT_NE(asCp932, readBytes(dir.file("cli.csv")));
}

TEST_F(AddedSettingsRun, CompletionBoxCarriesTheCommandLinesSummary) {
  control<QCheckBox>(form, "headerRowCheck")->setChecked(true);
  runForm("form.csv");
  const testing::ProgramOutcome cli = runCli("cli.csv", "--header");
  ASSERT_EQ(log.messages.size(), 1u);
  const forms::FormMessage& box = log.messages[0];
  EXPECT_EQ(box.title, QStringLiteral("Zumaro"));
  EXPECT_EQ(box.text, QStringLiteral("変換処理終了"));
  ASSERT_FALSE(box.detail.isEmpty());
  EXPECT_TRUE(
      box.detail.startsWith(QStringLiteral("読み込み 3件、照合 2件（うち記入済み 0件、要確認 0件）、照合なし 1件")))
      << box.detail.toStdString();
  EXPECT_TRUE(QString::fromStdString(cli.err).contains(box.detail + QLatin1Char('\n'))) << cli.err;
}

TEST_F(AddedSettingsRun, ReviewIsOfferedOnlyWhenARecordDeservesALook) {
  control<QCheckBox>(form, "headerRowCheck")->setChecked(true);
  runForm("form.csv");
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].actionText, QStringLiteral("確認…"));
  EXPECT_TRUE(static_cast<bool>(log.messages[0].action));

  writeBytes(dir.file("in.csv"), "1,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-1,\r\n");
  control<QCheckBox>(form, "headerRowCheck")->setChecked(false);
  runForm("form.csv");
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_TRUE(log.messages[0].actionText.isEmpty());
  EXPECT_EQ(form.showReview(), nullptr);
}

TEST_F(AddedSettingsRun, ReviewWindowSavesTheUnmatchedRecordsAsTheCommandLineWritesThem) {
  control<QCheckBox>(form, "headerRowCheck")->setChecked(true);
  runForm("form.csv");
  ASSERT_EQ(log.messages.size(), 1u);
  log.messages[0].action();
  auto* review = qobject_cast<forms::ReviewWindow*>(form.findChild<QWidget*>(QStringLiteral("review")));
  ASSERT_NE(review, nullptr);
  EXPECT_TRUE(review->isVisible());

  runCli("cli.csv", "--header --unmatched " + shellQuoted(dir.file("cli-unmatched.csv")));
  ASSERT_TRUE(review->saveUnmatched(QString::fromStdString(dir.file("saved-unmatched.csv"))));
  const std::string saved = readBytes(dir.file("saved-unmatched.csv"));
  EXPECT_NE(saved.find("999-9999"), std::string::npos);
  EXPECT_EQ(saved, readBytes(dir.file("cli-unmatched.csv")));
  // Saving again over the same file replaces it.
  ASSERT_TRUE(review->saveUnmatched(QString::fromStdString(dir.file("saved-unmatched.csv"))));
  EXPECT_EQ(readBytes(dir.file("saved-unmatched.csv")), saved);
  review->close();
}

TEST_F(AddedSettingsRun, TheRunUsesTheDataFolderTheFormShows) {
  // In the full data only, not in the sample.
  writeBytes(dir.file("in.csv"), "1,001-0010,ﾎﾂｶｲﾄﾞｳ,ｻﾂﾎﾟﾛｼｷﾀｸｷﾀ10ｼﾞﾖｳﾆｼ1,\r\n");
  const struct {
    const char* folder;
    const char* output;
  } cases[] = {{ZUMARO_SAMPLE_DATA_DIR, "sample"}, {ZUMARO_BUILT_DATA_DIR, "full"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    form.setDataFolder(c.folder);
    const std::string fromForm = runForm(std::string(c.output) + ".csv");
    const testing::ProgramOutcome cli = testing::runInFolder(
        dir.path(), shellQuoted(ZUMARO_CONVERT_EXE) + " -q -i in.csv -o cli.csv -n 5 --postal 2 --pref 3 --city 4" +
                        " --building 5 --data-dir " + shellQuoted(c.folder));
    ASSERT_EQ(cli.code, 0) << cli.err;
    EXPECT_EQ(fromForm, readBytes(dir.file("cli.csv")));
  }
  EXPECT_NE(readBytes(dir.file("sample.csv")), readBytes(dir.file("full.csv")));
}

}  // namespace
}  // namespace zumaro
