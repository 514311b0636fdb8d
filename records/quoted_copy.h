#pragma once
// A field's bytes as read, written as the writer quotes a value: each double
// quote twice.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/codepage.h"
#include "text/one_byte_runs.h"
#include "text/text_encoding.h"

namespace zumaro {
namespace quoted_copy_detail {

// UTF-8 has one form for each character: every valid byte stays. Not
// inlined: the common case before it then needs no registers saved.
[[gnu::noinline]] inline char* copyUtf8Doubling(std::string_view bytes, char* to) {
  for (size_t from = 0; from < bytes.size();) {
    const size_t quote = bytes.find('"', from);
    const size_t upTo = quote == std::string_view::npos ? bytes.size() : quote + 1;
    std::memcpy(to, bytes.data() + from, upTo - from);
    to += upTo - from;
    if (quote != std::string_view::npos) *to++ = '"';
    from = upTo;
  }
  return to;
}

}  // namespace quoted_copy_detail

// Whether ASCII bytes in `e` decode to their own characters and back, so
// that one_byte::copyQuoteFreeAscii may copy them.
inline bool asciiStaysAsIs(TextEncoding e) {
  return e != TextEncoding::Cp932 || CodePage932::instance().asciiStaysAsIs();
}

// Writes valid `bytes` in encoding `e` to `to` (room for twice their size),
// each double quote twice: the end of what was written, or nullptr when the
// bytes would not come back the same from decoding and encoding, and must go
// through their text. For bytes that are not all quote-free ASCII, which a
// caller that tried that first already knows.
inline char* copyQuoteDoubledBeyondAscii(TextEncoding e, std::string_view bytes, char* to) {
  if (e == TextEncoding::Cp932) return CodePage932::instance().copyQuoteDoubled(bytes, to);
  return quoted_copy_detail::copyUtf8Doubling(bytes, to);
}

// The same for any bytes, quote-free ASCII taken the fast way first.
inline char* copyQuoteDoubled(TextEncoding e, std::string_view bytes, char* to) {
  if (asciiStaysAsIs(e) && one_byte::copyQuoteFreeAscii(bytes.data(), bytes.size(), to)) return to + bytes.size();
  return copyQuoteDoubledBeyondAscii(e, bytes, to);
}

}  // namespace zumaro
