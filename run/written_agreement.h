#pragma once
// How far an address written in kanji follows an entry's written form, for
// the report of a record no entry agreed with: its readings say nothing
// about a text that is not read.
#include <cstddef>

#include "text/text.h"

namespace zumaro {

// Characters of `text` that agree with `written` from their starts, compared
// as the comparison compares written forms (address/written_form.h).
size_t writtenAgreement(TextView text, TextView written);

}  // namespace zumaro
