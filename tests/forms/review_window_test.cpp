// The review window after a run: its rows are the report the command line
// writes for the same settings, reasons in Japanese; it sorts, filters by
// reason, shows the run's warnings and saves the report byte for byte.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableView>
#include <map>

#include "forms/form_harness.h"
#include "forms/review_window.h"
#include "forms/settings_form.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace zumaro {
namespace {

using testing::control;
using testing::executeAndWait;
using testing::MessageLog;
using testing::readBytes;
using testing::shellQuoted;
using testing::type;

const std::string kCase = ZUMARO_TEST_DATA_DIR "/report";

// The reasons as the report file writes them and as the window shows them.
const std::map<QString, QString> kReasons{
    {"no-postal-code", "郵便番号なし"},    {"postal-code-unknown", "郵便番号不明"},
    {"reading-differs", "読み不一致"},     {"ambiguous", "候補複数"},
    {"business-code", "事業所の郵便番号"}, {"postal-code-repaired", "郵便番号を補正"},
    {"partly-read", "一部が読みのまま"},   {"misaligned", "行の途中から始まる"}};

// The report's rows after its header, split into fields; quoted fields
// may hold commas, quotes and line ends.
std::vector<QStringList> reportRows(const std::string& bytes) {
  std::vector<QStringList> rows;
  const QString text = QString::fromUtf8(bytes).remove(QChar(0xFEFF));
  QStringList fields;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += c;
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields << field;
      field.clear();
    } else if (c == '\n') {
      fields << field;
      field.clear();
      rows.push_back(fields);
      fields.clear();
    } else if (c != '\r') {
      field += c;
    }
  }
  if (!rows.empty()) rows.erase(rows.begin());  // the header
  return rows;
}

class ReviewWindowRun : public ::testing::Test {
 protected:
  ReviewWindowRun() {
    form.show();
    type(form, "txtin", QString::fromStdString(kCase + "/input.csv"));
    type(form, "txtsu", "6");
    type(form, "txtno", "2");
    type(form, "txtken", "3");
    type(form, "txtcity", "4");
    type(form, "txtbil", "5");
    type(form, "Texco", "6");
    type(form, "txtout", QString::fromStdString(dir.file("form.csv")));
    executeAndWait(form);
    const std::string command = shellQuoted(ZUMARO_CONVERT_EXE) + " -q -i " + shellQuoted(kCase + "/input.csv") +
                                " -o cli.csv -n 6 --postal 2 --pref 3 --city 4 --building 5 --company 6" +
                                " --report report.csv --data-dir " + shellQuoted(kCase + "/data");
    const testing::ProgramOutcome cli = testing::runInFolder(dir.path(), command);
    EXPECT_EQ(cli.code, 0) << cli.err;
  }

  forms::ReviewWindow* openReview() {
    if (log.messages.empty() || !log.messages.back().action) return nullptr;
    log.messages.back().action();
    return form.findChild<forms::ReviewWindow*>(QStringLiteral("review"));
  }

  testing::TempDir dir;
  MessageLog log;
  forms::SettingsForm form{kCase + "/data"};
};

TEST_F(ReviewWindowRun, RowsAreTheReportOfTheCommandLine) {
  forms::ReviewWindow* review = openReview();
  ASSERT_NE(review, nullptr);
  const QAbstractItemModel* table = control<QTableView>(*review, "tblreview")->model();
  const std::vector<QStringList> expected = reportRows(readBytes(dir.file("report.csv")));
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(table->rowCount(), static_cast<int>(expected.size()));
  for (int r = 0; r < table->rowCount(); ++r) {
    SCOPED_TRACE(r);
    const QStringList& want = expected[static_cast<size_t>(r)];
    ASSERT_EQ(want.size(), 8);
    auto cell = [&](int c) { return table->index(r, c).data().toString(); };
    EXPECT_EQ(cell(0), want[0]);  // record
    ASSERT_TRUE(kReasons.count(want[2])) << want[2].toStdString();
    EXPECT_EQ(cell(1), kReasons.at(want[2]));
    for (int c = 2; c <= 6; ++c) EXPECT_EQ(cell(c), want[c + 1]) << c;
  }
  review->close();
}

TEST_F(ReviewWindowRun, SavesTheReportAsTheCommandLineWritesIt) {
  forms::ReviewWindow* review = openReview();
  ASSERT_NE(review, nullptr);
  ASSERT_TRUE(review->saveReport(QString::fromStdString(dir.file("saved.csv"))));
  EXPECT_EQ(readBytes(dir.file("saved.csv")), readBytes(dir.file("report.csv")));
  review->close();
}

TEST_F(ReviewWindowRun, FiltersByReasonSortsByColumnAndShowsTheWarnings) {
  forms::ReviewWindow* review = openReview();
  ASSERT_NE(review, nullptr);
  auto* view = control<QTableView>(*review, "tblreview");
  const std::vector<QStringList> expected = reportRows(readBytes(dir.file("report.csv")));
  auto* reasons = control<QComboBox>(*review, "cboreason");
  EXPECT_GT(reasons->findText(QStringLiteral("一部が読みのまま")), 0);
  for (int i = 1; i < reasons->count(); ++i) {
    SCOPED_TRACE(reasons->itemText(i).toStdString());
    reasons->setCurrentIndex(i);
    const long want = std::count_if(expected.begin(), expected.end(), [&](const QStringList& row) {
      return kReasons.at(row[2]) == reasons->itemText(i);
    });
    EXPECT_GT(want, 0);
    EXPECT_EQ(view->model()->rowCount(), want);
    for (int r = 0; r < view->model()->rowCount(); ++r)
      EXPECT_EQ(view->model()->index(r, 1).data().toString(), reasons->itemText(i));
  }
  reasons->setCurrentIndex(0);
  EXPECT_EQ(view->model()->rowCount(), static_cast<int>(expected.size()));

  view->sortByColumn(0, Qt::DescendingOrder);
  EXPECT_EQ(view->model()->index(0, 0).data().toString(), expected.back()[0]);

  const QString warnings = control<QPlainTextEdit>(*review, "txtwarnings")->toPlainText();
  EXPECT_TRUE(warnings.contains(QStringLiteral("行の先頭から始まらないレコードが1件あります")))
      << warnings.toStdString();
  review->close();
}

}  // namespace
}  // namespace zumaro
