#include "forms/review_rows.h"

#include "forms/qt_text.h"

namespace zumaro::forms {

QString reasonText(ReportReason reason) { return qText(reasonLabel(reason)); }

ReviewRow reviewRow(const ReportRow& row) {
  return {row.record,
          reasonText(row.reason),
          qText(row.postalCode),
          qText(row.addressAsRead),
          qText(row.suggestedPostalCode),
          qText(row.suggestedAddress),
          qText(row.message)};
}

}  // namespace zumaro::forms
