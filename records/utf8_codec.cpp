#include "records/utf8_codec.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace zumaro {

namespace {

// Walks the characters of `bytes`, handing each to `take`; stops before an
// invalid sequence, or before one the next block may complete.
template <class Take>
Utf8Stop walkUtf8(const char* bytes, size_t size, bool atEnd, Take take) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes);
  size_t i = 0;
  while (i < size) {
    if (p[i] < 0x80) {
      take(static_cast<UChar32>(p[i++]));
      continue;
    }
    // ICU counts in int32_t; a block is far below its range.
    auto at = static_cast<int32_t>(i);
    UChar32 c;
    U8_NEXT(p, at, static_cast<int32_t>(size), c);
    if (c < 0) {
      // A lead byte whose valid trail bytes run to the end may be completed
      // by the next block.
      const bool cut = static_cast<size_t>(at) == size && p[i] >= 0xC2 && p[i] <= 0xF4;
      return {i, !cut || atEnd};
    }
    take(c);
    i = static_cast<size_t>(at);
  }
  return {i, false};
}

}  // namespace

Utf8Stop decodeUtf8(const char* bytes, size_t size, bool atEnd, Text& out) {
  return walkUtf8(bytes, size, atEnd, [&](UChar32 c) {
    if (c <= 0xFFFF) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(c)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
  });
}

Utf8Stop validateUtf8(const char* bytes, size_t size, bool atEnd) {
  return walkUtf8(bytes, size, atEnd, [](UChar32) {});
}

bool encodeUtf8(TextView text, std::string& out, size_t& badIndex, bool doubleQuotes) {
  const size_t size = text.size();
  size_t i = 0;
  while (i < size) {
    if (text[i] < 0x80) {
      if (text[i] == u'"' && doubleQuotes) out.push_back('"');
      out.push_back(static_cast<char>(text[i++]));
      continue;
    }
    const size_t start = i;
    UChar32 c;
    U16_NEXT(text.data(), i, size, c);
    if (U_IS_SURROGATE(c)) {
      badIndex = start;
      return false;
    }
    uint8_t buffer[4];
    int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, c);
    out.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
  }
  return true;
}

}  // namespace zumaro
