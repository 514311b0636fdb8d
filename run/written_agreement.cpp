#include "run/written_agreement.h"

#include "address/reading_fold.h"
#include "address/written_form.h"

namespace zumaro {

size_t writtenAgreement(TextView text, TextView written) {
  FoldedText folded;
  foldText(text, folded);
  Text entry;
  foldReading(written, entry);
  size_t at = 0;
  agreeWritten(folded.view(), 0, entry, at);
  // Not inside a character that folds to two (ガ to ｶﾞ).
  while (!folded.endsCharacter(at)) --at;
  return static_cast<size_t>(folded.textUsed(at));
}

}  // namespace zumaro
