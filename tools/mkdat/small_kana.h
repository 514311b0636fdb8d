#pragma once
// The readings of old address lists, and the suffix rule "ﾁﾖｳ" of the
// comparison, write the small half-width kana ｧｨｩｪｫｯｬｭｮ large; the current
// KEN_ALL writes them small.
#include "text/text.h"

namespace zumaro::mkdat {

// Replaces every small half-width kana of `reading` by its large form.
void foldSmallKana(Text& reading);

}  // namespace zumaro::mkdat
