#include "forms/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace zumaro::forms {
namespace {

MessagePresenter& presenter() {
  static MessagePresenter current;
  return current;
}

QMessageBox::Icon boxIcon(FormMessage::Icon icon) {
  switch (icon) {
    case FormMessage::Icon::Question: return QMessageBox::Question;
    case FormMessage::Icon::Warning: return QMessageBox::Warning;
    case FormMessage::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

void showModalBox(QWidget* parent, const FormMessage& message) {
  QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok, parent);
  box.setInformativeText(message.detail);
  QPushButton* action = message.actionText.isEmpty() ? nullptr : box.addButton(message.actionText, QMessageBox::ActionRole);
  if (action) action->setObjectName(QStringLiteral("cmdreview"));
  box.exec();
  if (action && box.clickedButton() == action && message.action) message.action();
}

}  // namespace

void showMessage(QWidget* parent, const FormMessage& message) {
  if (presenter()) {
    presenter()(parent, message);
    return;
  }
  showModalBox(parent, message);
}

MessagePresenter setMessagePresenter(MessagePresenter replacement) {
  MessagePresenter previous = std::move(presenter());
  presenter() = std::move(replacement);
  return previous;
}

}  // namespace zumaro::forms
