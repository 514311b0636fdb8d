#include "forms/input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace zumaro::forms {
namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// The window manager's close button, Alt+F4 and the like.
bool isCloseRequest(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Close || !event->spontaneous()) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget && widget->isWindow();
}

}  // namespace

InputBlocker::InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }

InputBlocker::~InputBlocker() { QCoreApplication::instance()->removeEventFilter(this); }

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
  if (isUserInput(event->type())) return true;
  if (isCloseRequest(watched, event)) {
    event->ignore();
    return true;
  }
  return false;
}

}  // namespace zumaro::forms
