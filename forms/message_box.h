#pragma once
// Every message box of the forms goes through here, so that tests can read
// the messages instead of a person.
#include <QString>
#include <functional>

class QWidget;

namespace zumaro::forms {

struct FormMessage {
  enum class Icon { None, Question, Warning };
  QString title;
  QString text;
  Icon icon = Icon::None;
};

// Shows `message` modally with one OK button and returns when it is closed.
void showMessage(QWidget* parent, const FormMessage& message);

using MessagePresenter = std::function<void(QWidget* parent, const FormMessage& message)>;

// Replaces the modal box; an empty presenter brings the box back. Returns
// the presenter it replaced.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

}  // namespace zumaro::forms
