// The review window after a run: its rows are the report the command line
// writes for the same settings, reasons in Japanese; it sorts, filters by
// reason, shows the run's warnings and saves the report byte for byte.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <map>

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
    type(form, "inputPathBox", QString::fromStdString(kCase + "/input.csv"));
    type(form, "fieldCountBox", "6");
    type(form, "postalCodePositionBox", "2");
    type(form, "prefecturePositionBox", "3");
    type(form, "cityPositionBox", "4");
    type(form, "buildingPositionBox", "5");
    type(form, "companyPositionBox", "6");
    type(form, "outputPathBox", QString::fromStdString(dir.file("form.csv")));
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
  const QAbstractItemModel* table = control<QTableView>(*review, "reviewTable")->model();
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
  auto* view = control<QTableView>(*review, "reviewTable");
  const std::vector<QStringList> expected = reportRows(readBytes(dir.file("report.csv")));
  auto* reasons = control<QComboBox>(*review, "reasonFilter");
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

  const QString warnings = control<QPlainTextEdit>(*review, "warningsBox")->toPlainText();
  EXPECT_TRUE(warnings.contains(QStringLiteral("行の先頭から始まらないレコードが1件あります")))
      << warnings.toStdString();
  review->close();
}

// The review window shown and active, as the user meets it.
forms::ReviewWindow* activated(forms::ReviewWindow* review) {
  if (!review) return nullptr;
  QApplication::setActiveWindow(review);
  return QTest::qWaitForWindowActive(review) ? review : nullptr;
}

TEST_F(ReviewWindowRun, TabMovesBetweenTheTableTheFilterAndTheButtons) {
  forms::ReviewWindow* review = activated(openReview());
  ASSERT_NE(review, nullptr);
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "reviewTable");
  const QStringList round{"reasonFilter", "saveReportButton", "saveUnmatchedButton", "closeReviewButton",
                          "reviewTable"};
  QStringList visited;
  for (qsizetype i = 0; i < round.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, round);
  QStringList back;
  for (qsizetype i = 0; i < round.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    back << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(back, QStringList(
                      {"closeReviewButton", "saveUnmatchedButton", "saveReportButton", "reasonFilter", "reviewTable"}));
  review->close();
}

// The arrows move from row to row; the area under the table shows the
// chosen row's explanation whole, as its tip does.
TEST_F(ReviewWindowRun, ArrowKeysMoveWithinTheTableAndTheRowIsExplainedInFull) {
  forms::ReviewWindow* review = activated(openReview());
  ASSERT_NE(review, nullptr);
  auto* view = control<QTableView>(*review, "reviewTable");
  auto* detail = control<QPlainTextEdit>(*review, "detailBox");
  const std::vector<QStringList> expected = reportRows(readBytes(dir.file("report.csv")));
  ASSERT_GE(expected.size(), 3u);
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(view->currentIndex().row(), row);
    const QString message = expected[static_cast<size_t>(row)][7];
    EXPECT_TRUE(detail->toPlainText().endsWith(message)) << detail->toPlainText().toStdString();
    EXPECT_TRUE(detail->toPlainText().startsWith(expected[static_cast<size_t>(row)][0] + QStringLiteral("件目")));
    for (int c = 0; c < view->model()->columnCount(); ++c) {
      const QString tip = view->model()->index(row, c).data(Qt::ToolTipRole).toString();
      ASSERT_TRUE(Qt::mightBeRichText(tip)) << tip.toStdString();  // so that it wraps
      QTextDocument shown;
      shown.setHtml(tip);
      EXPECT_EQ(shown.toPlainText(), message);
    }
    QTest::keyClick(view, Qt::Key_Down);
  }
  QTest::keyClick(view, Qt::Key_Up);
  EXPECT_EQ(view->currentIndex().row(), 2);
  // A filter that hides the chosen row chooses the first it shows.
  auto* reasons = control<QComboBox>(*review, "reasonFilter");
  reasons->setCurrentIndex(reasons->count() - 1);
  ASSERT_TRUE(view->currentIndex().isValid());
  EXPECT_EQ(view->currentIndex().row(), 0);
  EXPECT_TRUE(detail->toPlainText().contains(reasons->currentText()));
  review->close();
}

TEST_F(ReviewWindowRun, EscAndTheCloseButtonCloseIt) {
  const struct {
    const char* name;
    const char* focus;  // nullptr: where the window puts it
    Qt::Key key;
  } cases[] = {{"Esc in the table", nullptr, Qt::Key_Escape},
               {"Esc on a button", "saveReportButton", Qt::Key_Escape},
               {"Enter on 閉じる", "closeReviewButton", Qt::Key_Return},
               {"Space on 閉じる", "closeReviewButton", Qt::Key_Space}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QPointer<forms::ReviewWindow> review = activated(openReview());
    ASSERT_FALSE(review.isNull());
    if (c.focus) control<QWidget>(*review, c.focus)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), c.key);
    // Closed, it is gone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return review.isNull(); }, 2000));
  }
}

// At the size it opens with, the window shows every column without
// scrolling sideways, the explanation in what is left.
TEST_F(ReviewWindowRun, ColumnsFitTheWindowAtItsOpeningSize) {
  forms::ReviewWindow* review = activated(openReview());
  ASSERT_NE(review, nullptr);
  auto* view = control<QTableView>(*review, "reviewTable");
  QApplication::processEvents();
  const QHeaderView* header = view->horizontalHeader();
  EXPECT_LE(header->length(), view->viewport()->width());
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  for (int c = 0; c < header->count(); ++c) {
    SCOPED_TRACE(c);
    const QString title = view->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_GE(header->sectionSize(c), view->fontMetrics().horizontalAdvance(title) / 2);
  }
  // The explanations are longer than their column: the area and the tip tell them whole.
  const int longest = view->fontMetrics().horizontalAdvance(view->model()->index(0, 6).data().toString());
  EXPECT_LT(header->sectionSize(6), longest);
  EXPECT_GE(header->sectionSize(6), view->viewport()->width() / 5);
  review->close();
}

}  // namespace
}  // namespace zumaro
