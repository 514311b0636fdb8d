#pragma once
// Makes Japan Post's UTF-8 edition of KEN_ALL (utf_ken_all.csv) from the code
// page 932 one, as Japan Post publishes it: UTF-8 without byte-order mark,
// readings in full-width katakana with full-width digits, signs and letters,
// a town area split over several rows written on one, and the JIS forms of
// the full-width hyphen-minus (U+2212) and wave dash (U+301C). CR LF line
// ends, text fields quoted.
#include <string>

namespace zumaro::testing {

std::string makeUtf8Edition(const std::string& cp932KenAll);

}  // namespace zumaro::testing
