#pragma once
// Fonts, colours and the icon the two forms share.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QLabel;
class QWidget;

namespace zumaro::forms {

inline const QColor kLightGreen(192, 255, 192);
inline const QColor kLegendRed(255, 0, 0);
// Data that still work but should be renewed.
inline const QColor kStaleOrange(204, 102, 0);

// "ＭＳ Ｐゴシック" at `points`; where it is not installed, the nearest
// proportional Japanese gothic the system has.
QFont gothicFont(double points, bool bold = false);

// The font of controls with no font of their own.
QFont formDefaultFont();

void setTextColour(QWidget& widget, const QColor& colour);
void setBackground(QWidget& widget, const QColor& colour);

// A one-line caption a little wider than its label, as a fallback font can
// make it, is set a little tighter instead of being cut.
void fitTextToWidth(QLabel& label);

// 32 x 32 and 16 x 16, for both forms.
QIcon programIcon();

}  // namespace zumaro::forms
