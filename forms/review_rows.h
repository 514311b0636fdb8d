#pragma once
// The report's rows as the review window shows them, reasons in Japanese.
#include <QString>

#include "forms/run_review.h"
#include "run/report_row.h"

namespace zumaro::forms {

// The words of the summary line for the reasons it counts.
QString reasonText(ReportReason reason);
ReviewRow reviewRow(const ReportRow& row);

}  // namespace zumaro::forms
