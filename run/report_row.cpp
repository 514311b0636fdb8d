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

}  // namespace zumaro
