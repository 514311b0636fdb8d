// Execute on the settings form: the refusals, the run with its caption and
// completion message, the count going on across runs, faults of the run, and
// the same output as zumaro-convert.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "forms/form_harness.h"
#include "forms/settings_form.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using forms::FormMessage;
using testing::click;
using testing::control;
using testing::executeAndWait;
using testing::MessageLog;
using testing::readBytes;
using testing::type;
using testing::writeBytes;

const std::string kSampleList = ZUMARO_EXAMPLES_DIR "/sample-list.csv";

const QString kErrorTitle = QStringLiteral("エラーメッセージ");
const QString kFinished = QStringLiteral("変換処理終了");

long lineCount(const std::string& bytes) { return static_cast<long>(std::count(bytes.begin(), bytes.end(), '\n')); }

class SettingsFormRun : public ::testing::Test {
 protected:
  SettingsFormRun() { form.show(); }

  QString path(const std::string& name) const { return QString::fromStdString(dir.file(name)); }

  // The settings of the sample list, as its README gives them.
  void fillSampleSettings(const QString& input, const QString& output) {
    type(form, "inputPathBox", input);
    type(form, "fieldCountBox", "8");
    type(form, "postalCodePositionBox", "3");
    type(form, "prefecturePositionBox", "4");
    type(form, "cityPositionBox", "5");
    type(form, "buildingPositionBox", "6");
    type(form, "companyPositionBox", "7");
    type(form, "furtherPosition1", "2");
    type(form, "furtherConversion1", "4");
    type(form, "furtherPosition2", "8");
    type(form, "furtherConversion2", "3");
    type(form, "outputPathBox", output);
  }

  // Five fields: number, postal code, prefecture, city, building.
  void fillFiveFields(const QString& input, const QString& output) {
    type(form, "inputPathBox", input);
    type(form, "fieldCountBox", "5");
    type(form, "postalCodePositionBox", "2");
    type(form, "prefecturePositionBox", "3");
    type(form, "cityPositionBox", "4");
    type(form, "buildingPositionBox", "5");
    type(form, "outputPathBox", output);
  }

  void expectOnly(const FormMessage& expected) {
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].title, expected.title);
    EXPECT_EQ(log.messages[0].text, expected.text);
    EXPECT_EQ(log.messages[0].icon, expected.icon);
  }

  testing::TempDir dir;
  MessageLog log;
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
};

TEST_F(SettingsFormRun, FirstStateShowsTheFieldCountMessageAndNothingElse) {
  type(form, "outputPathBox", path("out.csv"));
  executeAndWait(form);
  expectOnly({kErrorTitle, QStringLiteral("項目数を入れて下さい。"), FormMessage::Icon::Question});
  EXPECT_EQ(form.windowTitle(), "Zumaro Ver1.1");
  EXPECT_FALSE(fs::exists(dir.file("out.csv")));
  EXPECT_EQ(control<QLineEdit>(form, "fieldCountBox")->text(), "0");  // the boxes are left as they were
}

TEST_F(SettingsFormRun, OnlyTheFirstFailingCheckIsShown) {
  fillSampleSettings(QString::fromStdString(kSampleList), path("out.csv"));
  type(form, "fieldCountBox", "0");
  type(form, "postalCodePositionBox", "99");
  executeAndWait(form);
  expectOnly({kErrorTitle, QStringLiteral("項目数を入れて下さい。"), FormMessage::Icon::Question});

  log.messages.clear();
  type(form, "fieldCountBox", "8");
  executeAndWait(form);
  expectOnly({kErrorTitle, QStringLiteral("郵便番号の位置が不明です。"), FormMessage::Icon::Question});
}

TEST_F(SettingsFormRun, RunSetsTheCaptionShowsTheEndAndCountsOnInTheNextRun) {
  fillSampleSettings(QString::fromStdString(kSampleList), path("out.csv"));
  executeAndWait(form);
  expectOnly({QStringLiteral("Zumaro"), kFinished, FormMessage::Icon::None});
  const long records = lineCount(readBytes(dir.file("out.csv")));
  ASSERT_GT(records, 1);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("%1件目を処理中").arg(records));
  EXPECT_FALSE(form.isRunning());

  log.messages.clear();
  executeAndWait(form);
  expectOnly({QStringLiteral("Zumaro"), kFinished, FormMessage::Icon::None});
  EXPECT_EQ(form.windowTitle(), QStringLiteral("%1件目を処理中").arg(2 * records));
  EXPECT_EQ(lineCount(readBytes(dir.file("out.csv"))), records);  // overwritten, not appended
}

TEST_F(SettingsFormRun, FieldCountBelowFiveReadsNothingAndStillEnds) {
  fillSampleSettings(QString::fromStdString(kSampleList), path("out.csv"));
  type(form, "fieldCountBox", "3");
  type(form, "postalCodePositionBox", "1");
  type(form, "prefecturePositionBox", "1");
  type(form, "cityPositionBox", "1");
  type(form, "buildingPositionBox", "1");
  type(form, "companyPositionBox", "0");
  type(form, "furtherPosition1", "0");
  type(form, "furtherConversion1", "0");
  type(form, "furtherPosition2", "0");
  type(form, "furtherConversion2", "0");
  executeAndWait(form);
  expectOnly({QStringLiteral("Zumaro"), kFinished, FormMessage::Icon::None});
  EXPECT_EQ(readBytes(dir.file("out.csv")), "");
  EXPECT_EQ(form.windowTitle(), "Zumaro Ver1.1");  // no record, no count
}

TEST_F(SettingsFormRun, OutputIsByteForByteThatOfTheCommandLine) {
  fillSampleSettings(QString::fromStdString(kSampleList), path("form.csv"));
  executeAndWait(form);
  expectOnly({QStringLiteral("Zumaro"), kFinished, FormMessage::Icon::None});

  const std::string command = std::string(ZUMARO_CONVERT_EXE) + " -q --input '" + kSampleList + "' --output '" +
                              dir.file("cli.csv") + "' --fields 8 --postal 3 --pref 4 --city 5 --building 6" +
                              " --company 7 --etc1 2 --opt1 4 --etc2 8 --opt2 3 --data-dir '" + ZUMARO_SAMPLE_DATA_DIR +
                              "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  const std::string fromForm = readBytes(dir.file("form.csv"));
  EXPECT_FALSE(fromForm.empty());
  EXPECT_EQ(fromForm, readBytes(dir.file("cli.csv")));
}

TEST_F(SettingsFormRun, MissingInputIsAnErrorInTheValidationStyle) {
  fillSampleSettings(path("none.csv"), path("out.csv"));
  writeBytes(dir.file("out.csv"), "keep");
  executeAndWait(form);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, kErrorTitle);
  EXPECT_EQ(log.messages[0].icon, FormMessage::Icon::Question);
  EXPECT_TRUE(log.messages[0].text.startsWith(QStringLiteral("指定されたファイルが存在しません。")));
  EXPECT_TRUE(log.messages[0].text.contains(path("none.csv")));
  EXPECT_EQ(readBytes(dir.file("out.csv")), "keep");
  EXPECT_EQ(form.windowTitle(), "Zumaro Ver1.1");
}

TEST_F(SettingsFormRun, FaultInTheMiddleTellsHowManyRecordsWereWritten) {
  writeBytes(dir.file("in.csv"), "1,1000001,a,b,c\r\n2,1000001,a,b,c\r\n3,1000001,\xff\xff,b,c\r\n");
  fillFiveFields(path("in.csv"), path("out.csv"));
  executeAndWait(form);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, kErrorTitle);
  EXPECT_EQ(log.messages[0].icon, FormMessage::Icon::Question);
  EXPECT_TRUE(log.messages[0].text.contains(QStringLiteral("3件目"))) << log.messages[0].text.toStdString();
  EXPECT_TRUE(log.messages[0].text.endsWith(QStringLiteral("\n出力済みのレコード: 2件")));
  EXPECT_EQ(lineCount(readBytes(dir.file("out.csv"))), 2);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("2件目を処理中"));  // the third was never read whole
}

TEST_F(SettingsFormRun, WriteFaultIsAnErrorWithoutTheEndMessage) {
  fillSampleSettings(QString::fromStdString(kSampleList), "/dev/full");
  executeAndWait(form);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, kErrorTitle);
  EXPECT_EQ(log.messages[0].icon, FormMessage::Icon::Question);
}

TEST_F(SettingsFormRun, ShortLastRecordIsReportedBeforeTheEnd) {
  // Two full records of five fields and a third with only two.
  writeBytes(dir.file("in.csv"), "1,1000001,a,b,c\r\n2,1000001,a,b,c\r\n3,1000001\r\n");
  fillFiveFields(path("in.csv"), path("out.csv"));
  executeAndWait(form);
  ASSERT_EQ(log.messages.size(), 2u);
  EXPECT_EQ(log.messages[0].icon, FormMessage::Icon::Warning);
  EXPECT_TRUE(log.messages[0].text.startsWith(QStringLiteral("3件目")));
  EXPECT_EQ(log.messages[1].text, kFinished);
  EXPECT_EQ(lineCount(readBytes(dir.file("out.csv"))), 3);
}

TEST_F(SettingsFormRun, NeitherFormTakesInputWhileARunGoesOn) {
  fillSampleSettings(QString::fromStdString(kSampleList), path("out.csv"));
  QSignalSpy done(&form, &forms::SettingsForm::executeDone);
  click(form, "runButton");
  // The run's end reaches the form only through the event loop, which has
  // not run yet: whatever the user does now happens during the run.
  ASSERT_TRUE(form.isRunning());
  click(form, "runButton");
  QTest::keyClicks(control<QLineEdit>(form, "fieldCountBox"), "9");
  click(form, "exitButton");
  ASSERT_TRUE(done.wait(60000));
  EXPECT_EQ(done.count(), 1);
  QTest::qWait(50);
  EXPECT_EQ(done.count(), 1);  // no second run was queued
  EXPECT_FALSE(form.isRunning());
  expectOnly({QStringLiteral("Zumaro"), kFinished, FormMessage::Icon::None});
  EXPECT_EQ(control<QLineEdit>(form, "fieldCountBox")->text(), "8");
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace zumaro
