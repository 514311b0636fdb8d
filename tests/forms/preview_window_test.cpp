// The preview of the input: the first records under their field numbers,
// the encoding and the first line's field count, and the boxes it fills.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include "forms/form_harness.h"
#include "forms/preview_window.h"
#include "forms/settings_form.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::control;
using testing::MessageLog;
using testing::type;
using testing::writeBytes;

class Preview : public ::testing::Test {
 protected:
  Preview() { form.show(); }

  // A list of `records` lines of six fields, after a header line.
  void writeList(int records) {
    std::string list = "番号,名前,郵便番号,県名,住所,ビル名\r\n";
    for (int k = 1; k <= records; ++k) list += std::to_string(k) + ",ﾔﾏﾀﾞ,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼ,\r\n";
    writeBytes(dir.file("list.csv"), list);
    type(form, "inputPathBox", QString::fromStdString(dir.file("list.csv")));
  }

  forms::PreviewWindow* open() {
    QTest::mouseClick(control<QWidget>(form, "previewButton"), Qt::LeftButton);
    return form.findChild<forms::PreviewWindow*>(QStringLiteral("preview"));
  }

  testing::TempDir dir;
  MessageLog log;
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
};

TEST_F(Preview, ShowsTheFirstTwentyRecordsUnderTheirFieldNumbers) {
  const struct {
    int records;
    bool header;
    int rowsShown;
    const char* firstCell;
  } cases[] = {{30, false, 20, "番号"}, {30, true, 20, "1"}, {3, true, 3, "1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.records) + (c.header ? " with header" : ""));
    writeList(c.records);
    control<QCheckBox>(form, "headerRowCheck")->setChecked(c.header);
    forms::PreviewWindow* preview = open();
    ASSERT_NE(preview, nullptr);
    auto* table = control<QTableWidget>(*preview, "previewTable");
    EXPECT_EQ(table->rowCount(), c.rowsShown);
    ASSERT_EQ(table->columnCount(), 6);
    for (int col = 0; col < 6; ++col)
      EXPECT_TRUE(table->horizontalHeaderItem(col)->text().startsWith(QString::number(col + 1)));
    if (c.header) {
      EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("3\n郵便番号"));
    }
    EXPECT_EQ(table->item(0, 0)->text(), QString::fromUtf8(c.firstCell));
    EXPECT_EQ(table->item(0, 2)->text(), c.header ? QStringLiteral("231-0062") : QStringLiteral("郵便番号"));
    const QString summary = control<QLabel>(*preview, "previewSummaryLabel")->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("文字コード: UTF-8"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("1行目の項目数: 6"))) << summary.toStdString();
    delete preview;
  }
}

TEST_F(Preview, FillsTheFieldCountAndThePositionsPickedForTheColumns) {
  writeList(5);
  forms::PreviewWindow* preview = open();
  ASSERT_NE(preview, nullptr);
  QTest::mouseClick(control<QPushButton>(*preview, "useFieldCountButton"), Qt::LeftButton);
  EXPECT_EQ(control<QLineEdit>(form, "fieldCountBox")->text(), "6");
  const struct {
    int role;  // of kFieldRoles
    int field;
    const char* box;
  } picks[] = {{0, 3, "postalCodePositionBox"}, {1, 4, "prefecturePositionBox"}, {2, 5, "cityPositionBox"},
               {3, 6, "buildingPositionBox"},   {4, 2, "companyPositionBox"},    {5, 1, "townPositionBox"}};
  for (const auto& p : picks) {
    SCOPED_TRACE(p.box);
    preview->assignRole(p.field, forms::kFieldRoles[p.role]);
    EXPECT_EQ(control<QLineEdit>(form, p.box)->text(), QString::number(p.field));
  }
  EXPECT_EQ(control<QLineEdit>(form, "furtherPosition1")->text(), "0");  // nothing else
  delete preview;
}

// The hint the run's warning gives, above the table, with a button that
// ticks 「1行目は見出し」 and shows the list again with its header.
TEST_F(Preview, AHeaderRowReadAsARecordIsToldAboveTheTable) {
  const struct {
    const char* name;
    bool header;
    const char* postalBox;
    bool hint;
  } cases[] = {
      {"the postal code not typed yet", false, "0", true},
      {"the postal code typed", false, "3", true},
      {"another field typed as the postal code", false, "2", false},
      {"the header taken as the header", true, "0", false},
  };
  writeList(12);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    control<QCheckBox>(form, "headerRowCheck")->setChecked(c.header);
    type(form, "postalCodePositionBox", c.postalBox);
    forms::PreviewWindow* preview = open();
    ASSERT_NE(preview, nullptr);
    auto* hint = preview->findChild<QLabel*>(QStringLiteral("headerHintLabel"));
    EXPECT_EQ(hint != nullptr, c.hint);
    EXPECT_EQ(preview->findChild<QPushButton*>(QStringLiteral("headerRowButton")) != nullptr, c.hint);
    if (hint) {
      EXPECT_EQ(hint->text(), QStringLiteral("1行目は見出しのようです（郵便番号の項目が「郵便番号」）。見出しなら "
                                             "--header（フォームでは「1行目は見出し」）を付けてください。"));
    }
    delete preview;
  }
}

TEST_F(Preview, TheHintsButtonTicksTheHeaderBoxAndShowsTheListWithItsHeader) {
  writeList(12);
  QPointer<forms::PreviewWindow> preview = open();
  ASSERT_FALSE(preview.isNull());
  auto* tick = control<QPushButton>(*preview, "headerRowButton");
  ASSERT_NE(tick, nullptr);
  QTest::keyClick(tick, Qt::Key_Return);  // as a keyboard user presses it
  EXPECT_TRUE(control<QCheckBox>(form, "headerRowCheck")->isChecked());
  forms::PreviewWindow* again = nullptr;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (auto* w : form.findChildren<forms::PreviewWindow*>())
          if (w != preview && w->isVisible()) again = w;
        return again != nullptr;
      },
      5000));
  EXPECT_TRUE(preview.isNull() || !preview->isVisible());
  auto* table = control<QTableWidget>(*again, "previewTable");
  EXPECT_EQ(table->rowCount(), 12);
  EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("3\n郵便番号"));
  EXPECT_EQ(again->findChild<QLabel*>(QStringLiteral("headerHintLabel")), nullptr);
  delete again;
}

TEST_F(Preview, AListThatCannotBeReadIsAnErrorNamingIt) {
  type(form, "inputPathBox", QString::fromStdString(dir.file("none.csv")));
  EXPECT_EQ(open(), nullptr);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].title, QStringLiteral("エラーメッセージ"));
  EXPECT_TRUE(log.messages[0].text.contains(QString::fromStdString(dir.file("none.csv"))))
      << log.messages[0].text.toStdString();
}

TEST_F(Preview, ADroppedListIsShownAtOnce) {
  writeList(2);
  type(form, "inputPathBox", QString());
  auto* box = control<QLineEdit>(form, "inputPathBox");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("list.csv")))});
  const QPoint middle = box->rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &enter);
  QDropEvent dropped(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &dropped);
  EXPECT_EQ(box->text(), QString::fromStdString(dir.file("list.csv")));
  forms::PreviewWindow* preview = nullptr;
  EXPECT_TRUE(QTest::qWaitFor([&] { return (preview = form.findChild<forms::PreviewWindow*>()) != nullptr; }, 5000));
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(control<QTableWidget>(*preview, "previewTable")->rowCount(), 3);  // the header line is a record here
  EXPECT_TRUE(log.messages.empty());
  delete preview;
}

}  // namespace
}  // namespace zumaro
