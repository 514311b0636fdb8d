#include "state/text.h"

#include <unicode/unistr.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdint>

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

// Character by character with ICU's macros: a report writes several texts
// for each of its rows, and a UnicodeString for each cost more than the
// row's conversion. An unpaired surrogate gives U+FFFD, as ICU's
// conversion gives it.
void appendUtf8(std::string& out, TextView text) {
  const size_t start = out.size();
  out.resize(start + 3 * text.size());  // a unit never gives more than three bytes
  auto* bytes = reinterpret_cast<uint8_t*>(out.data() + start);
  int32_t written = 0;
  const auto size = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < size;) {
    UChar32 c;
    U16_NEXT(text.data(), i, size, c);
    if (U_IS_SURROGATE(c)) c = 0xFFFD;
    U8_APPEND_UNSAFE(bytes, written, c);
  }
  out.resize(start + static_cast<size_t>(written));
}

std::string toUtf8(TextView text) {
  std::string out;
  appendUtf8(out, text);
  return out;
}

}  // namespace zumaro
