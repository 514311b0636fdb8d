#include "state/text.h"

#include <unicode/unistr.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <bit>
#include <cstdint>
#include <cstring>

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

// Unit by unit, not through a UnicodeString: a report writes several texts
// for each of its rows. Rows mix ASCII and kana unit by unit, so a unit's
// one, two or three bytes are chosen without a jump and stored as four, the
// next unit overwriting the spare. An unpaired surrogate gives U+FFFD, as
// ICU's conversion gives it.
void appendUtf8(std::string& out, TextView text) {
  const size_t start = out.size();
  out.resize(start + 3 * text.size() + 1);  // a unit gives at most three bytes; one spare
  char* to = out.data() + start;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint32_t u = text[i];
    if (U16_IS_SURROGATE(u)) {
      UChar32 c = 0xFFFD;
      if (U16_IS_SURROGATE_LEAD(u) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1]))
        c = U16_GET_SUPPLEMENTARY(u, text[++i]);
      int32_t written = 0;
      U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(to), written, c);
      to += written;
      continue;
    }
    const uint32_t two = (0xC0 | u >> 6) | (0x80 | (u & 0x3F)) << 8;
    const uint32_t three = (0xE0 | u >> 12) | (0x80 | (u >> 6 & 0x3F)) << 8 | (0x80 | (u & 0x3F)) << 16;
    const uint32_t bytes = u < 0x80 ? u : u < 0x800 ? two : three;
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    std::memcpy(to, &bytes, 4);
    to += 1 + static_cast<size_t>(u >= 0x80) + static_cast<size_t>(u >= 0x800);
  }
  out.resize(static_cast<size_t>(to - out.data()));
}

std::string toUtf8(TextView text) {
  std::string out;
  appendUtf8(out, text);
  return out;
}

}  // namespace zumaro
