#pragma once
// What the form tests share: a record of the message boxes, finding the
// forms and their controls as a user sees them, and running Execute.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <ostream>
#include <vector>

#include "forms/message_box.h"

// Readable test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zumaro::testing {

// Takes the place of the modal message box while it lives.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  std::vector<forms::FormMessage> messages;

 private:
  forms::MessagePresenter previous_;
};

// The shown top-level windows with this object name.
std::vector<QWidget*> windowsNamed(const QString& name);

template <typename T>
T* control(const QWidget& form, const char* name) {
  T* found = form.findChild<T*>(QLatin1String(name));
  if (!found) ADD_FAILURE() << "no control " << name;
  return found;
}

void click(const QWidget& form, const char* button);
// Replaces a box's text the way a user does: select all, type.
void type(const QWidget& form, const char* box, const QString& text);

// Presses Execute and waits for its last message to be closed.
void executeAndWait(QWidget& settingsForm);

}  // namespace zumaro::testing
