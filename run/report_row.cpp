#include "run/report_row.h"

namespace zumaro {

TextView reasonWord(ReportReason reason) {
  switch (reason) {
    case ReportReason::NoPostalCode:
      return u"no-postal-code";
    case ReportReason::PostalCodeUnknown:
      return u"postal-code-unknown";
    case ReportReason::ReadingDiffers:
      return u"reading-differs";
    case ReportReason::Ambiguous:
      return u"ambiguous";
    case ReportReason::BusinessCode:
      return u"business-code";
    case ReportReason::PostalCodeRepaired:
      return u"postal-code-repaired";
    case ReportReason::PostalCodeFixed:
      return u"postal-code-fixed";
    case ReportReason::PartlyRead:
      return u"partly-read";
    case ReportReason::Misaligned:
      return u"misaligned";
  }
  return {};
}

TextView reasonLabel(ReportReason reason) {
  switch (reason) {
    case ReportReason::NoPostalCode:
      return u"郵便番号なし";
    case ReportReason::PostalCodeUnknown:
      return u"郵便番号不明";
    case ReportReason::ReadingDiffers:
      return u"読み不一致";
    case ReportReason::Ambiguous:
      return u"候補複数";
    case ReportReason::BusinessCode:
      return u"事業所の郵便番号";
    case ReportReason::PostalCodeRepaired:
      return u"郵便番号を補正";
    case ReportReason::PostalCodeFixed:
      return u"郵便番号を修正";
    case ReportReason::PartlyRead:
      return u"一部が読みのまま";
    case ReportReason::Misaligned:
      return u"行の途中から始まる";
  }
  return {};
}

}  // namespace zumaro
