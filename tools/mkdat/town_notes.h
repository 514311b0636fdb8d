#pragma once
// The town-area column of KEN_ALL carries notes for the postal clerk that a
// person never writes in an address: parenthesised remarks such as
// （次のビルを除く）, （その他）, （１～１９丁目） (the written form in full-width
// （）, possibly nested, with 「」 inside; the reading in ASCII "()"), and
// whole town areas that only say which addresses the code covers.
#include "text/text.h"

namespace zumaro::mkdat {

// Removes every parenthesised part: （…） from `written`, (…) from `reading`.
// An opening parenthesis never closed runs to the end. Returns the number of
// notes removed from the written form.
int removeNotes(Text& written, Text& reading);

// True for a town area that names no place: "以下に掲載がない場合", "<city>の次に
// 番地がくる場合" and its variants, and "<village>一円" (the whole municipality).
bool namesNoTownArea(TextView town, TextView city);

}  // namespace zumaro::mkdat
