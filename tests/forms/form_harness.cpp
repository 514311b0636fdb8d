#include "forms/form_harness.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "forms/settings_form.h"

namespace zumaro::testing {

MessageLog::MessageLog() {
  previous_ =
      forms::setMessagePresenter([this](QWidget*, const forms::FormMessage& message) { messages.push_back(message); });
}

MessageLog::~MessageLog() { forms::setMessagePresenter(std::move(previous_)); }

std::vector<QWidget*> windowsNamed(const QString& name) {
  std::vector<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) found.push_back(w);
  return found;
}

void click(const QWidget& form, const char* button) {
  if (auto* b = control<QAbstractButton>(form, button)) QTest::mouseClick(b, Qt::LeftButton);
}

void type(const QWidget& form, const char* box, const QString& text) {
  auto* edit = control<QLineEdit>(form, box);
  if (!edit) return;
  edit->selectAll();
  QTest::keyClicks(edit, text);
  if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
}

void executeAndWait(QWidget& settingsForm) {
  auto* form = qobject_cast<forms::SettingsForm*>(&settingsForm);
  ASSERT_NE(form, nullptr);
  QSignalSpy done(form, &forms::SettingsForm::executeDone);
  click(settingsForm, "runButton");
  ASSERT_TRUE(done.count() > 0 || done.wait(60000)) << "Execute did not end";
}

}  // namespace zumaro::testing
