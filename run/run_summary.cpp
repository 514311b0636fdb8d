#include "run/conversion_run.h"
#include "state/failure.h"

namespace zumaro {

Text summaryLine(const RunOutcome& o) {
  const ReasonCounts& r = o.reasons;
  return u"読み込み " + decimal(o.recordsRead) + u"件、照合 " + decimal(o.recordsApplied) + u"件（うち記入済み " +
         decimal(r.alreadyWritten) + u"件、要確認 " + decimal(r.toCheck) + u"件）、照合なし " +
         decimal(o.recordsUnmatched) + u"件（郵便番号なし " + decimal(r.noPostalCode) + u"、郵便番号不明 " +
         decimal(r.postalCodeUnknown) + u"、読み不一致 " + decimal(r.readingDiffers) + u"、候補複数 " +
         decimal(r.ambiguous) + u"）";
}

Text misalignedWarning(const ReasonCounts& r) {
  return u"行の先頭から始まらないレコードが" + decimal(r.misaligned) + u"件あります（最初は" +
         decimal(r.firstMisalignedRecord) + u"件目、" + decimal(r.firstMisalignedLine) +
         u"行目）。項目数の設定が元のファイルの各行の項目数と合っているか確認してください。";
}

Text headerRowWarning(TextView postalField) {
  return u"1行目は見出しのようです（郵便番号の項目が「" + Text(postalField) +
         u"」）。見出しなら --header（フォームでは「1行目は見出し」）を付けてください。";
}

}  // namespace zumaro
