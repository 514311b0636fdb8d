#pragma once
// The core's texts are UTF-16 like QString's.
#include <QString>

#include "text/text.h"

namespace zumaro::forms {

inline QString qText(TextView text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }
inline Text coreText(const QString& text) { return text.toStdU16String(); }

}  // namespace zumaro::forms
