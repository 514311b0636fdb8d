#include "forms/enter_presses.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace zumaro::forms {
namespace {

class EnterPresses : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->isEnabled()) return false;
    // One press for a held key, as Space gives.
    if (!key->isAutoRepeat()) button->click();
    return true;
  }
};

}  // namespace

void pressButtonsOnEnter(QWidget& window) {
  auto* filter = new EnterPresses(&window);
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    if (qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)) button->installEventFilter(filter);
  }
}

}  // namespace zumaro::forms
