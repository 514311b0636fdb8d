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
  QString detail{};                // a further line under the text, or empty
  QString actionText{};            // a second button beside OK, or empty for none
  std::function<void()> action{};  // done after the box closes by that button
};

// Shows `message` modally with an OK button (and the action's button) and
// returns when it is closed.
void showMessage(QWidget* parent, const FormMessage& message);

using MessagePresenter = std::function<void(QWidget* parent, const FormMessage& message)>;

// Replaces the modal box; an empty presenter brings the box back. Returns
// the presenter it replaced.
MessagePresenter setMessagePresenter(MessagePresenter presenter);

}  // namespace zumaro::forms
