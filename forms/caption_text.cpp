#include "forms/caption_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include "forms/form_style.h"

namespace zumaro::forms {
namespace {

QAccessibleInterface* captionAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(CaptionText::staticMetaObject.className())) return nullptr;
  auto* widget = qobject_cast<QWidget*>(object);
  return widget ? new QAccessibleWidget(widget, QAccessible::StaticText) : nullptr;
}

void installAccessibleFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(captionAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

CaptionText::CaptionText(QWidget* parent) : QWidget(parent) {
  installAccessibleFactoryOnce();
  setTextColour(*this, Qt::black);
}

void CaptionText::setText(const QString& text) {
  text_ = text;
  setAccessibleName(text);
  setToolTip(text);
  update();
}

void CaptionText::setColour(const QColor& colour) {
  setTextColour(*this, colour);
  update();
}

void CaptionText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text_);
}

}  // namespace zumaro::forms
