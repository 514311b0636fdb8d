#pragma once
// The forms are laid out in twips (1/1440 inch); the screen counts pixels.
#include <QRect>

class QWidget;

namespace zumaro::forms {

// Pixels for `twips` at `logicalDpi` dots per inch (15 twips a pixel at 96).
int twipsToPixels(int twips, double logicalDpi);

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// `r` on the screen of `widget`, horizontal and vertical each at its own DPI.
QRect toPixels(const TwipsRect& r, const QWidget& widget);

}  // namespace zumaro::forms
