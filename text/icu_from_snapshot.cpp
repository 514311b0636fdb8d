// A build without ICU: the tables as tools/icu-snapshot wrote them from ICU
// on the build machine.
#include "text/icu_source.h"

namespace zumaro {

void readCodePage932(CodePage932Source& source) { readCodePage932Snapshot(source); }
void readUnicode(UnicodeSource& source) { readUnicodeSnapshot(source); }

}  // namespace zumaro
