#pragma once
// How far an address written in kanji follows an entry's written form, for
// the report of a record no entry agreed with: its readings say nothing
// about a text that is not read.
#include <cstddef>

#include "state/text.h"

namespace zumaro {

// Whether `text` holds a kanji: the address is written, not read.
bool holdsKanji(TextView text);

// Characters of `text` that agree with `written` from their starts, both in
// the folded view (full-width digits as ASCII, spaces passed over), the
// kanji numerals 〇 to 九 as the digits of the same value.
size_t writtenAgreement(TextView text, TextView written);

}  // namespace zumaro
