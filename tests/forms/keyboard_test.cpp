// The forms by keyboard alone: Enter presses the focused button as Space
// does, on the start form, the settings form and what they open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "forms/enter_presses.h"
#include "forms/form_harness.h"
#include "forms/preview_window.h"
#include "forms/settings_form.h"
#include "forms/start_form.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::control;
using testing::MessageLog;
using testing::type;
using testing::windowsNamed;

// `button` of `window` given the focus, as Tab would give it, and `key` pressed.
void pressOn(QWidget& window, QWidget* button, Qt::Key key) {
  ASSERT_NE(button, nullptr);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  button->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), button);
  QTest::keyClick(QApplication::focusWidget(), key);
}

TEST(EnterPresses, PushAndToolButtonsAlike) {
  const struct {
    const char* name;
    bool toolButton;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool enabled;
    int clicks;
  } cases[] = {
      {"push button, Return", false, Qt::Key_Return, Qt::NoModifier, true, 1},
      {"push button, keypad Enter", false, Qt::Key_Enter, Qt::KeypadModifier, true, 1},
      {"push button, Space", false, Qt::Key_Space, Qt::NoModifier, true, 1},
      {"tool button, Return", true, Qt::Key_Return, Qt::NoModifier, true, 1},
      {"tool button, keypad Enter", true, Qt::Key_Enter, Qt::KeypadModifier, true, 1},
      {"tool button, Space", true, Qt::Key_Space, Qt::NoModifier, true, 1},
      {"Ctrl+Return is no press", false, Qt::Key_Return, Qt::ControlModifier, true, 0},
      {"a disabled button", true, Qt::Key_Return, Qt::NoModifier, false, 0},
      {"another key", false, Qt::Key_A, Qt::NoModifier, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget window;
    QAbstractButton* button = c.toolButton ? static_cast<QAbstractButton*>(new QToolButton(&window))
                                           : static_cast<QAbstractButton*>(new QPushButton(&window));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setEnabled(c.enabled);
    forms::pressButtonsOnEnter(window);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::keyClick(button, c.key, c.modifiers);
    EXPECT_EQ(clicked.count(), c.clicks);
  }
}

TEST(EnterPresses, ACheckBoxIsNotPressedByEnter) {
  QWidget window;
  auto* box = new QCheckBox(QStringLiteral("x"), &window);
  forms::pressButtonsOnEnter(window);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(box->isChecked());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->isChecked());
}

TEST(KeyboardOnly, EnterOnTheStartFormsButtonOpensTheSettingsForm) {
  forms::StartForm start{ZUMARO_SAMPLE_DATA_DIR};
  pressOn(start, control<QWidget>(start, "okButton"), Qt::Key_Return);
  const auto shown = windowsNamed("info");
  ASSERT_EQ(shown.size(), 1u);
  shown.front()->hide();
}

// The name of the modal window `open` brings up; it is closed at once.
QString modalOpenedBy(const std::function<void()>& open) {
  QString title;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      title = modal->windowTitle();
      modal->close();
    }
  });
  watch.start(20);
  open();
  return title;
}

TEST(KeyboardOnly, EnterOnEachButtonOfTheSettingsFormDoesWhatAClickDoes) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("list.csv"), "1,231-0062,ｶﾅｶﾞﾜｹﾝ,ﾖｺﾊﾏｼﾅｶｸｻｸﾗｷﾞﾁﾖｳ1-1,\r\n");
  MessageLog log;
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  type(form, "inputPathBox", QString::fromStdString(dir.file("list.csv")));
  const struct {
    const char* button;
    const char* dialog;
  } choosers[] = {{"browseInputButton", "元のファイル"},
                  {"browseOutputButton", "出力先のファイル"},
                  {"browseDataButton", "郵便番号データのフォルダ"}};
  for (const auto& c : choosers) {
    SCOPED_TRACE(c.button);
    const QString opened = modalOpenedBy([&] { pressOn(form, control<QWidget>(form, c.button), Qt::Key_Return); });
    EXPECT_EQ(opened, QString::fromUtf8(c.dialog));
  }

  pressOn(form, control<QWidget>(form, "previewButton"), Qt::Key_Return);
  QPointer<forms::PreviewWindow> preview = form.findChild<forms::PreviewWindow*>();
  ASSERT_FALSE(preview.isNull());
  EXPECT_TRUE(preview->isVisible());
  // Esc closes the preview again.
  QApplication::setActiveWindow(preview);
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : preview.data(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return preview.isNull() || !preview->isVisible(); }, 2000));

  type(form, "fieldCountBox", "5");
  type(form, "postalCodePositionBox", "2");
  type(form, "prefecturePositionBox", "3");
  type(form, "cityPositionBox", "4");
  type(form, "buildingPositionBox", "5");
  type(form, "outputPathBox", QString::fromStdString(dir.file("out.csv")));
  QSignalSpy done(&form, &forms::SettingsForm::executeDone);
  pressOn(form, control<QWidget>(form, "runButton"), Qt::Key_Return);
  ASSERT_TRUE(done.count() > 0 || done.wait(60000));
  ASSERT_FALSE(log.messages.empty());
  EXPECT_EQ(log.messages.back().text, QStringLiteral("変換処理終了"));
}

}  // namespace
}  // namespace zumaro
