// The start form: its look, opening the settings form, ending the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <cmath>

#include "forms/form_harness.h"
#include "forms/start_form.h"

namespace zumaro {
namespace {

using testing::click;
using testing::control;
using testing::type;
using testing::windowsNamed;

int pixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

class StartFormTest : public ::testing::Test {
 protected:
  StartFormTest() { form.show(); }
  forms::StartForm form{ZUMARO_SAMPLE_DATA_DIR};
};

TEST_F(StartFormTest, CaptionSizeAndButtons) {
  EXPECT_EQ(form.objectName(), "messageLabel");
  EXPECT_EQ(form.windowTitle(), "Zumaro Ver 1.1");
  const int x = form.logicalDpiX(), y = form.logicalDpiY();
  EXPECT_EQ(form.size(), QSize(pixels(10005, x), pixels(6510, y)));
  auto* ok = control<QPushButton>(form, "okButton");
  auto* end = control<QPushButton>(form, "endButton");
  ASSERT_TRUE(ok && end);
  EXPECT_EQ(ok->text(), "実   行");
  EXPECT_EQ(ok->geometry(), QRect(pixels(6840, x), pixels(5160, y), pixels(1335, x), pixels(735, y)));
  EXPECT_EQ(end->text(), "END(終了)");
  EXPECT_EQ(end->geometry(), QRect(pixels(8400, x), pixels(5160, y), pixels(1215, x), pixels(735, y)));
  EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(32, 32)));
  EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(16, 16)));
}

TEST_F(StartFormTest, PictureIsDrawnUnscaledFromTheCornerAndCut) {
  const QImage picture(QStringLiteral(":/zumaro/title.png"));
  ASSERT_EQ(picture.size(), QSize(718, 439));
  EXPECT_FALSE(picture.hasAlphaChannel());
  // On a scaled screen the picture scales with the form, pixels then blend.
  if (form.devicePixelRatio() != 1.0) GTEST_SKIP() << "compares pixels at a device pixel ratio of 1";
  const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
  // Above the buttons every pixel is the picture's own, up to the right edge.
  const int aboveButtons = control<QWidget>(form, "okButton")->y();
  for (int y = 0; y < aboveButtons; y += 7)
    for (int x = 0; x < shown.width(); x += 5) ASSERT_EQ(shown.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
  EXPECT_EQ(shown.pixel(0, shown.height() - 1), expected.pixel(0, shown.height() - 1));
}

TEST_F(StartFormTest, FocusStartsOnTheOpenButton) {
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(form, "okButton"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(form, "endButton"));
}

TEST_F(StartFormTest, OpenTwiceGivesOneSettingsFormWithItsTextsKept) {
  EXPECT_TRUE(windowsNamed("info").empty());
  click(form, "okButton");
  auto shown = windowsNamed("info");
  ASSERT_EQ(shown.size(), 1u);
  QWidget* settings = shown.front();
  type(*settings, "inputPathBox", "list.csv");
  type(*settings, "fieldCountBox", "8");
  settings->hide();  // as the user closing it would

  click(form, "okButton");
  shown = windowsNamed("info");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.front(), settings);
  EXPECT_EQ(control<QLineEdit>(*settings, "inputPathBox")->text(), "list.csv");
  EXPECT_EQ(control<QLineEdit>(*settings, "fieldCountBox")->text(), "8");
  EXPECT_TRUE(form.isVisible());  // the start form stays open behind it
}

TEST_F(StartFormTest, EndButtonsCloseBothWindows) {
  for (const char* ender : {"endButton", "exitButton"}) {
    SCOPED_TRACE(ender);
    form.show();
    click(form, "okButton");
    auto shown = windowsNamed("info");
    ASSERT_EQ(shown.size(), 1u);
    click(std::string(ender) == "endButton" ? static_cast<QWidget&>(form) : *shown.front(), ender);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(windowsNamed("info").empty());
  }
}

}  // namespace
}  // namespace zumaro
