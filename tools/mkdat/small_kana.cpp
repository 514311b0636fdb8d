#include "tools/mkdat/small_kana.h"

namespace zumaro::mkdat {

void foldSmallKana(Text& reading) {
  // U+FF67..U+FF6F: ｧｨｩｪｫｬｭｮｯ.
  static constexpr char16_t kLarge[] = u"ｱｲｳｴｵﾔﾕﾖﾂ";
  for (char16_t& c : reading) {
    if (c >= u'ｧ' && c <= u'ｯ') c = kLarge[c - u'ｧ'];
  }
}

}  // namespace zumaro::mkdat
