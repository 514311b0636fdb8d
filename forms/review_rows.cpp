#include "forms/review_rows.h"

#include "forms/qt_text.h"

namespace zumaro::forms {

QString reasonText(ReportReason reason) {
  switch (reason) {
    case ReportReason::NoPostalCode:
      return QStringLiteral("郵便番号なし");
    case ReportReason::PostalCodeUnknown:
      return QStringLiteral("郵便番号不明");
    case ReportReason::ReadingDiffers:
      return QStringLiteral("読み不一致");
    case ReportReason::Ambiguous:
      return QStringLiteral("候補複数");
    case ReportReason::BusinessCode:
      return QStringLiteral("事業所の郵便番号");
    case ReportReason::PostalCodeRepaired:
      return QStringLiteral("郵便番号を補正");
    case ReportReason::PostalCodeFixed:
      return QStringLiteral("郵便番号を修正");
    case ReportReason::PartlyRead:
      return QStringLiteral("一部が読みのまま");
    case ReportReason::Misaligned:
      return QStringLiteral("行の途中から始まる");
  }
  return {};
}

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
