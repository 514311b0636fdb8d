#include "forms/twips.h"

#include <QWidget>
#include <cmath>

namespace zumaro::forms {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

int twipsToPixels(int twips, double logicalDpi) {
  return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

QRect toPixels(const TwipsRect& r, const QWidget& widget) {
  const double dpiX = widget.logicalDpiX();
  const double dpiY = widget.logicalDpiY();
  return QRect(twipsToPixels(r.left, dpiX), twipsToPixels(r.top, dpiY), twipsToPixels(r.width, dpiX),
               twipsToPixels(r.height, dpiY));
}

}  // namespace zumaro::forms
