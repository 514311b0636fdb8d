// The settings form against its layout table: every control's kind, place,
// size, container, caption or initial text, fonts and colours, and the tab
// order, the way a user meets them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <cmath>

#include "forms/added_controls.h"
#include "forms/form_harness.h"
#include "forms/settings_form.h"

namespace zumaro {
namespace {

using testing::control;

// name | kind | in | caption or initial text | left | top | width | height, in twips
const char* const kTable = R"(
instructionLabel|label|form|以下の情報を入力後実行をクリックして下さい。|360|120|4455|255
inputPathLabel|label|form|元のファイル名を指定して下さい。|1200|600|2655|255
inputPathBox|text|form||4080|600|6015|270
inputPathExampleLabel|label|form|ex、C:\HENKAN\TEST.TXT|1320|840|2415|255
fieldCountLabel|label|form|元のファイルの項目数を指定して下さい。|600|1200|3135|375
fieldCountBox|text|form|0|4080|1080|1335|270
fieldCountRangeLabel|label|form|５以上、MAX50まで|5520|1080|1575|255
postalCodePositionLabel|label|form|郵便番号は何番目の項目ですか？|1080|1560|2775|255
postalCodePositionBox|text|form|0|4080|1560|1215|270
prefecturePositionLabel|label|form|県名は何番目の項目ですか？|1320|2040|2655|255
prefecturePositionBox|text|form|0|4080|2040|1215|270
cityPositionLabel|label|form|市区町村名丁目は何番目の項目ですか？|600|2520|3255|255
cityPositionBox|text|form|0|4080|2520|1215|270
buildingPositionLabel|label|form|ビル名、マンション名は何番目の項目ですか？|240|3000|3615|255
buildingPositionBox|text|form|0|4080|3000|1215|270
conversionCodesFrame|frame|form|変換ＯＰＴＩＯＮ|7440|3240|2775|3015
upperCaseCodeLabel|label|conversionCodesFrame|１：大文字に変換|240|600|1695|255
lowerCaseCodeLabel|label|conversionCodesFrame|２：小文字に変換|240|960|2175|255
titleCaseCodeLabel|label|conversionCodesFrame|３：先頭の文字を大文字に変換|240|1320|2415|255
toFullWidthCodeLabel|label|conversionCodesFrame|４：半角を全角に変換|240|1680|2175|255
toHalfWidthCodeLabel|label|conversionCodesFrame|８：全角を半角に変換|240|2040|2415|255
toKatakanaCodeLabel|label|conversionCodesFrame|１６：ひらがなをカタカナに変換|120|2400|2655|255
toHiraganaCodeLabel|label|conversionCodesFrame|３２：カタカナをひらがなに変換|120|2760|2655|255
companyPositionLabel|label|form|企業名、団体名は何番目の項目ですか？|600|3480|3255|255
companyPositionBox|text|form|0|4080|3480|1215|270
furtherFieldsFrame|frame|form|Option|240|3840|6975|2415
furtherPositionsLabel|label|furtherFieldsFrame|その他の項目で文字列変換をしたい項目は何番目ですか？|120|240|4695|255
furtherConversionsLabel|label|furtherFieldsFrame|変換ｏｐｔｉｏｎの合計数|5040|240|1935|255
furtherPosition1|text|furtherFieldsFrame|0|4320|480|615|270
furtherPosition2|text|furtherFieldsFrame|0|4320|720|615|270
furtherPosition3|text|furtherFieldsFrame|0|4320|960|615|270
furtherPosition4|text|furtherFieldsFrame|0|4320|1200|615|270
furtherPosition5|text|furtherFieldsFrame|0|4320|1440|615|270
furtherPosition6|text|furtherFieldsFrame|0|4320|1680|615|270
furtherPosition7|text|furtherFieldsFrame|0|4320|1920|615|270
furtherConversion1|text|furtherFieldsFrame|0|5400|480|735|270
furtherConversion2|text|furtherFieldsFrame|0|5400|720|735|270
furtherConversion3|text|furtherFieldsFrame|0|5400|960|735|270
furtherConversion4|text|furtherFieldsFrame|0|5400|1200|735|270
furtherConversion5|text|furtherFieldsFrame|0|5400|1440|735|270
furtherConversion6|text|furtherFieldsFrame|0|5400|1680|735|270
furtherConversion7|text|furtherFieldsFrame|0|5400|1920|735|270
outputPathLabel|label|form|出力先のファイル名を指定して下さい。|720|6360|3015|255
outputPathBox|text|form||3840|6360|5655|270
outputPathExampleLabel|label|form|ex、c:\My Documents\yubin.txt|960|6600|2415|255
runButton|button|form|実  行|7920|6840|975|735
exitButton|button|form|終   了|9120|6840|975|735
)";

struct Row {
  QString name, kind, container, text;
  int left, top, width, height;
};

std::vector<Row> rows() {
  std::vector<Row> out;
  for (const QString& line : QString::fromUtf8(kTable).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const QStringList f = line.split(QLatin1Char('|'));
    out.push_back({f[0], f[1], f[2], f[3], f[4].toInt(), f[5].toInt(), f[6].toInt(), f[7].toInt()});
  }
  return out;
}

int pixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

QString captionOf(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  if (auto* b = qobject_cast<const QPushButton*>(w)) return b->text();
  return {};
}

bool isKind(const QWidget* w, const QString& kind) {
  if (kind == "label") return qobject_cast<const QLabel*>(w);
  if (kind == "text") return qobject_cast<const QLineEdit*>(w);
  if (kind == "frame") return qobject_cast<const QGroupBox*>(w);
  return qobject_cast<const QPushButton*>(w);
}

class SettingsFormLayout : public ::testing::Test {
 protected:
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
};

TEST_F(SettingsFormLayout, CaptionClientAreaAndBackground) {
  EXPECT_EQ(form.objectName(), "info");
  EXPECT_EQ(form.windowTitle(), "Zumaro Ver1.1");
  EXPECT_EQ(form.size(), QSize(pixels(10635, form.logicalDpiX()), pixels(7635, form.logicalDpiY())));
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(192, 255, 192));
  EXPECT_TRUE(form.autoFillBackground());
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(32, 32)));
  EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(16, 16)));
}

TEST_F(SettingsFormLayout, EveryControlHasItsKindPlaceAndText) {
  const int dpiX = form.logicalDpiX(), dpiY = form.logicalDpiY();
  for (const Row& r : rows()) {
    SCOPED_TRACE(r.name.toStdString());
    auto* w = form.findChild<QWidget*>(r.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(isKind(w, r.kind)) << w->metaObject()->className();
    const QString container = w->parentWidget() == &form ? QStringLiteral("form") : w->parentWidget()->objectName();
    EXPECT_EQ(container, r.container);
    EXPECT_EQ(captionOf(w), r.text);
    EXPECT_EQ(w->geometry(),
              QRect(pixels(r.left, dpiX), pixels(r.top, dpiY), pixels(r.width, dpiX), pixels(r.height, dpiY)));
  }
}

TEST_F(SettingsFormLayout, FramesAndButtonsAreTheOnlyOnesOfTheirKind) {
  // Nothing beyond the table but the two browse buttons and the town area's question and box.
  EXPECT_EQ(form.findChildren<QLabel*>().size(), 22);
  EXPECT_EQ(form.findChildren<QLineEdit*>().size(), 23);
  EXPECT_EQ(form.findChildren<QGroupBox*>().size(), 2);
  EXPECT_EQ(form.findChildren<QPushButton*>().size(), 2);
}

TEST_F(SettingsFormLayout, FontsOfTheListedControls) {
  const struct {
    const char* name;
    double points;
    bool bold;
  } listed[] = {{"runButton", 12, true},
                {"exitButton", 12, true},
                {"instructionLabel", 11.25, false},
                {"toHiraganaCodeLabel", 9.75, false},
                {"upperCaseCodeLabel", 9.75, false},
                {"lowerCaseCodeLabel", 9.75, false},
                {"toFullWidthCodeLabel", 9.75, false},
                {"toHalfWidthCodeLabel", 9.75, false},
                {"toKatakanaCodeLabel", 9.75, false},
                {"prefecturePositionLabel", 9.75, false},
                {"furtherConversionsLabel", 9.75, false},
                {"furtherFieldsFrame", 9.75, false}};
  for (const auto& c : listed) {
    SCOPED_TRACE(c.name);
    const QFont font = control<QWidget>(form, c.name)->font();
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().first(), "ＭＳ Ｐゴシック");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
    EXPECT_EQ(font.weight(), c.bold ? QFont::Bold : QFont::Normal);
  }
  // Inside the frame `option` the controls keep the form's font, not the frame's.
  const QFont formFont = form.font();
  for (const char* name :
       {"furtherPositionsLabel", "furtherPosition1", "furtherConversion7", "titleCaseCodeLabel", "inputPathBox"}) {
    SCOPED_TRACE(name);
    EXPECT_DOUBLE_EQ(control<QWidget>(form, name)->font().pointSizeF(), formFont.pointSizeF());
  }
}

TEST_F(SettingsFormLayout, RedTextAndLightGreenFrames) {
  const QColor red(255, 0, 0);
  for (const char* name :
       {"upperCaseCodeLabel", "lowerCaseCodeLabel", "titleCaseCodeLabel", "toFullWidthCodeLabel",
        "toHalfWidthCodeLabel", "toKatakanaCodeLabel", "toHiraganaCodeLabel", "furtherConversionsLabel",
        "inputPathExampleLabel", "fieldCountRangeLabel", "outputPathExampleLabel", "furtherFieldsFrame"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(control<QWidget>(form, name)->palette().color(QPalette::WindowText), red);
  }
  for (const char* name : {"instructionLabel", "inputPathLabel", "fieldCountLabel", "furtherPositionsLabel",
                           "outputPathLabel", "conversionCodesFrame"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(control<QWidget>(form, name)->palette().color(QPalette::WindowText), red);
  }
  for (const char* name : {"conversionCodesFrame", "furtherFieldsFrame"})
    EXPECT_EQ(control<QWidget>(form, name)->palette().color(QPalette::Window), QColor(192, 255, 192)) << name;
}

TEST_F(SettingsFormLayout, FocusStartsInTheInputBoxAndTabFollowsTheTabIndices) {
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "inputPathBox");

  QStringList expected{"fieldCountBox", "postalCodePositionBox", "prefecturePositionBox", "cityPositionBox",
                       "buildingPositionBox"};
  for (int k = 1; k <= 7; ++k)
    expected << QStringLiteral("furtherPosition%1").arg(k) << QStringLiteral("furtherConversion%1").arg(k);
  expected << "outputPathBox"
           << "runButton"
           << "exitButton"
           << "companyPositionBox";
  // The settings added later come after the original order, then the
  // buttons beside the boxes, before it wraps round.
  expected << "kanjiBlocksCheck"
           << "headerRowCheck"
           << "encodingChoice"
           << "townPositionBox"
           << "fixPostalCodeCheck";
  expected << "browseInputButton"
           << "previewButton"
           << "browseOutputButton"
           << "browseDataButton"
           << "updateDataButton";
  expected << "inputPathBox"
           << "fieldCountBox";
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, expected);

  // Shift+Tab walks the same round backwards.
  QStringList back;
  for (qsizetype i = expected.size() - 2; i >= 0; --i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    back << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(back, QStringList(expected.rbegin() + 1, expected.rend()));
}

// The controls added later sit in free space: none covers another.
TEST_F(SettingsFormLayout, AddedControlsCoverNoOtherControl) {
  const QList<QWidget*> children = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const forms::AddedControl& added : forms::addedControls()) {
    const QWidget* w = control<QWidget>(form, added.name);
    ASSERT_NE(w, nullptr);
    for (const QWidget* other : children) {
      if (other == w) continue;
      EXPECT_FALSE(w->geometry().intersects(other->geometry()))
          << added.name << " covers " << other->objectName().toStdString();
    }
  }
}

TEST_F(SettingsFormLayout, BrowseButtonsSitRightOfThePathBoxesAndTabReachesThem) {
  for (const auto& [button, box] :
       {std::pair{"browseInputButton", "inputPathBox"}, std::pair{"browseOutputButton", "outputPathBox"}}) {
    SCOPED_TRACE(button);
    auto* b = control<QWidget>(form, button);
    const QRect boxPlace = control<QWidget>(form, box)->geometry();
    EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
    EXPECT_GE(b->x(), boxPlace.right());
    EXPECT_LE(b->geometry().right(), form.width());
    EXPECT_EQ(b->y(), boxPlace.y());
  }
}

}  // namespace
}  // namespace zumaro
