#pragma once
// A slip in a record's reading: the record's text agrees with an entry of
// its code through the city, and its town area is that entry's reading with
// a kana changed, dropped or doubled. Such a record names that entry, not
// another code, nor a shorter town of its code that happens to agree with
// the head of it (御津町上佐脇 for ﾐﾄﾁﾖｳｶﾐｻﾜｷﾃﾇﾀ, meant 上佐脇犬田).
#include "state/conversion_state.h"

namespace zumaro {

// The entry of the record's code, among those that did not agree, whose
// town area the record's text follows in at least half of its reading's
// characters (fewest edits first); null when none. Needs the entries seen
// (RecordMatch::collectSeen).
const SeenEntry* slipOfOwnCode(const ConversionState& s);

// Whether the best entry, which leaves `kanaLeft` behind, stands for a slip:
// the town area as the record writes it, kana left included, is one edit
// away from the reading of another entry of the code, or the best's own 町
// was taken as ﾏﾁ where the record goes on to read ﾁﾖｳ. Needs the entries
// seen.
bool bestLeavesASlip(ConversionState& s, TextView kanaLeft);

}  // namespace zumaro
