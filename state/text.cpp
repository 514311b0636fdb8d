#include "state/text.h"

#include <unicode/unistr.h>

namespace zumaro {

Text mid(TextView s, int start, int length) { return Text(midView(s, start, length)); }

Text mid(TextView s, int start) {
  if (start < 1 || start > len(s)) return {};
  return Text(s.substr(static_cast<size_t>(start - 1)));
}

Text left(TextView s, int length) { return mid(s, 1, length); }

Text fromUtf8(std::string_view utf8) {
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return Text(reinterpret_cast<const char16_t*>(u.getBuffer()), static_cast<size_t>(u.length()));
}

std::string toUtf8(TextView text) {
  icu::UnicodeString u(false, reinterpret_cast<const UChar*>(text.data()),
                       static_cast<int32_t>(text.size()));
  std::string out;
  u.toUTF8String(out);
  return out;
}

}  // namespace zumaro
