#include "records/postal_code_notation.h"

#include <algorithm>

namespace zumaro {
namespace {

bool isFullWidthDigit(char16_t c) { return c >= u'０' && c <= u'９'; }

}  // namespace

Text postalCodeLike(TextView asRead, TextView key) {
  const bool fullWidth = std::any_of(asRead.begin(), asRead.end(), isFullWidthDigit);
  const bool mark = asRead.find(u'〒') != TextView::npos;
  // Six or seven digits with no dash (a wrong code, one cut by a
  // spreadsheet) keep having none; anything else, a code of before 1998
  // included, is written the usual way.
  const auto digits = std::count_if(asRead.begin(), asRead.end(),
                                    [](char16_t c) { return (c >= u'0' && c <= u'9') || isFullWidthDigit(c); });
  const bool plain = digits >= 6 && asRead.find_first_of(u"-ｰー－‐−–") == TextView::npos;
  Text out = mark ? u"〒" : u"";
  for (size_t i = 0; i < key.size(); ++i) {
    if (i == 3 && !plain) out += fullWidth ? u'－' : u'-';
    out += fullWidth ? static_cast<char16_t>(key[i] - u'0' + u'０') : key[i];
  }
  return out;
}

}  // namespace zumaro
