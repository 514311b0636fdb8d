#pragma once
// What the settings form tells the user about a run.
#include <QString>
#include <cstdint>
#include <functional>

#include "run/conversion_run.h"

class QWidget;

namespace zumaro::forms {

// "12件目を処理中".
QString progressCaption(int64_t recordsRead);

// The line under 変換処理終了, as the command line prints it: what was read,
// converted, not converted by reason, and to check.
QString runSummary(const RunOutcome& outcome);

// The message boxes that end an Execute: the refusal or the fault in the
// error box; or any warnings and then "変換処理終了" with the summary, and
// 「確認…」 doing `review` when it is given.
void reportOutcome(QWidget* parent, const RunOutcome& outcome, std::function<void()> review = {});

}  // namespace zumaro::forms
