#pragma once
// What the settings form tells the user about a run.
#include <QString>
#include <cstdint>

#include "run/conversion_run.h"

class QWidget;

namespace zumaro::forms {

// "12件目を処理中".
QString progressCaption(int64_t kensu);

// The message boxes that end an Execute: the refusal or the fault in the
// error box; or any warnings and then "変換処理終了".
void reportOutcome(QWidget* parent, const RunOutcome& outcome);

}  // namespace zumaro::forms
