#include "forms/form_style.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace zumaro::forms {

QFont gothicFont(double points, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                    QStringLiteral("TakaoPGothic")});
  font.setPointSizeF(points);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QFont formDefaultFont() { return gothicFont(9.0); }

void setTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  widget.setPalette(palette);
}

void setBackground(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void fitTextToWidth(QLabel& label) {
  constexpr double kTightestSpacing = 85.0;  // percent; closer than this is hard to read
  const int room = label.contentsRect().width();
  const int needed = label.fontMetrics().horizontalAdvance(label.text());
  if (needed <= room || needed == 0) return;
  QFont font = label.font();
  font.setLetterSpacing(QFont::PercentageSpacing, std::max(kTightestSpacing, 100.0 * room / needed));
  label.setFont(font);
}

QIcon programIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/zumaro/icon-32.png"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/zumaro/icon-16.png"), QSize(16, 16));
  return icon;
}

}  // namespace zumaro::forms
