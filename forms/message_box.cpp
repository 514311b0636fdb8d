#include "forms/message_box.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace zumaro::forms {
namespace {

MessagePresenter& presenter() {
  static MessagePresenter current;
  return current;
}

QMessageBox::Icon boxIcon(FormMessage::Icon icon) {
  switch (icon) {
    case FormMessage::Icon::Question:
      return QMessageBox::Question;
    case FormMessage::Icon::Warning:
      return QMessageBox::Warning;
    case FormMessage::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// The box sizes itself for its short main text and would wrap a long detail
// after a few words; a spacer as wide as the detail (within reason) keeps it
// on one or two lines.
void widenForDetail(QMessageBox& box, const QString& detail) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid || detail.isEmpty()) return;
  // Japanese text often comes from a wider fallback font than the box measures with.
  const int width = std::min(box.fontMetrics().horizontalAdvance(detail) * 6 / 5 + 60, 760);
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                grid->columnCount());
}

void showModalBox(QWidget* parent, const FormMessage& message) {
  QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok, parent);
  box.setInformativeText(message.detail);
  widenForDetail(box, message.detail);
  QPushButton* action =
      message.actionText.isEmpty() ? nullptr : box.addButton(message.actionText, QMessageBox::ActionRole);
  if (action) action->setObjectName(QStringLiteral("reviewButton"));
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
