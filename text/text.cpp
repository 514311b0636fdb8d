#include "text/text.h"

#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cstdint>

namespace zumaro {

Text mid(TextView s, int start, int length) { return Text(midView(s, start, length)); }

Text mid(TextView s, int start) {
  if (start < 1 || start > len(s)) return {};
  return Text(s.substr(static_cast<size_t>(start - 1)));
}

Text left(TextView s, int length) { return mid(s, 1, length); }

Text fromUtf8(std::string_view utf8) {
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return Text(reinterpret_cast<const char16_t*>(u.getBuffer()), static_cast<size_t>(u.length()));
}

// Straight into the string by ICU's own loop, not through a UnicodeString:
// a report writes several texts for each of its rows. An unpaired
// surrogate gives U+FFFD, as ICU's conversion gives it.
void appendUtf8(std::string& out, TextView text) {
  const size_t start = out.size();
  out.resize(start + 3 * text.size());  // a unit gives at most three bytes
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data() + start, static_cast<int32_t>(out.size() - start), &written,
                     reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), 0xFFFD, nullptr,
                     &status);
  out.resize(start + (U_SUCCESS(status) ? static_cast<size_t>(written) : 0));
}

std::string toUtf8(TextView text) {
  std::string out;
  appendUtf8(out, text);
  return out;
}

}  // namespace zumaro
