#include "text/text.h"

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

// ICU's own macros, which need no ICU library: a build without one (the
// browser's) converts as the others do. An ill-formed sequence gives one
// U+FFFD for each maximal part of it, and an unpaired surrogate U+FFFD, as
// ICU's conversions give them.
Text fromUtf8(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const auto length = static_cast<int32_t>(utf8.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT_OR_FFFD(bytes, i, length, c);
    if (U_IS_BMP(c)) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(c)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  }
  return out;
}

// Straight into the string: a report writes several texts for each of its rows.
void appendUtf8(std::string& out, TextView text) {
  size_t at = out.size();
  out.resize(at + 3 * text.size());  // a unit gives at most three bytes
  auto* bytes = reinterpret_cast<uint8_t*>(out.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U16_NEXT_OR_FFFD(text.data(), i, length, c);
    U8_APPEND_UNSAFE(bytes, at, c);
  }
  out.resize(at);
}

std::string toUtf8(TextView text) {
  std::string out;
  appendUtf8(out, text);
  return out;
}

}  // namespace zumaro
