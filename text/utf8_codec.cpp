#include "text/utf8_codec.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <optional>
#include <variant>

#include "text/one_byte_runs.h"

namespace zumaro {

namespace {

using one_byte::Kind;

// Output is gathered in chunks on the stack and appended, as in the code
// page 932 tables.
constexpr size_t kChunk = 1024;

// How far a chunk got: where the next one begins, or where a stop is.
struct ChunkEnd {
  size_t next;
  size_t written;
  std::optional<Utf8Stop> stop;
};

// The one character at `i`, which is not ASCII, with where it ends in `at`;
// or the stop it makes.
inline std::variant<UChar32, Utf8Stop> nextChar(const uint8_t* p, size_t i, size_t size, bool atEnd, int32_t& at) {
  // ICU counts in int32_t; a block is far below its range.
  at = static_cast<int32_t>(i);
  UChar32 c;
  U8_NEXT(p, at, static_cast<int32_t>(size), c);
  if (c >= 0) return c;
  // A lead byte whose valid trail bytes run to the end may be completed
  // by the next block.
  const bool cut = static_cast<size_t>(at) == size && p[i] >= 0xC2 && p[i] <= 0xF4;
  return Utf8Stop{i, !cut || atEnd};
}

// The characters that begin in [i, end); one may run past `end`. A chunk
// needs room for one unit per byte and one more.
ChunkEnd decodeChunk(const uint8_t* p, size_t i, size_t end, size_t size, bool atEnd, char16_t* chunk) {
  char16_t* to = chunk;
  while (i < end) {
    if (p[i] < 0x80) {
      const size_t n = one_byte::widenRun<Kind::Ascii>(p + i, end - i, to);
      i += n;
      to += n;
      continue;
    }
    int32_t at = 0;
    const auto next = nextChar(p, i, size, atEnd, at);
    if (const auto* stop = std::get_if<Utf8Stop>(&next)) return {i, static_cast<size_t>(to - chunk), *stop};
    const UChar32 c = std::get<UChar32>(next);
    if (c <= 0xFFFF) {
      *to++ = static_cast<char16_t>(c);
    } else {
      *to++ = static_cast<char16_t>(U16_LEAD(c));
      *to++ = static_cast<char16_t>(U16_TRAIL(c));
    }
    i = static_cast<size_t>(at);
  }
  return {i, static_cast<size_t>(to - chunk), std::nullopt};
}

// Stops at `end`, or before a lone surrogate; a pair may run past `end`.
// A chunk needs room for three bytes per unit and one more.
ChunkEnd encodeChunk(TextView text, size_t i, size_t end, bool doubleQuotes, char* chunk) {
  char* to = chunk;
  while (i < end) {
    if (one_byte::isUnit<Kind::Ascii>(text[i], doubleQuotes)) {
      const size_t n = one_byte::narrowRun<Kind::Ascii>(text.data() + i, end - i, doubleQuotes, to);
      i += n;
      to += n;
      continue;
    }
    if (text[i] == u'"') {
      *to++ = '"';
      *to++ = '"';
      ++i;
      continue;
    }
    const size_t start = i;
    UChar32 c;
    U16_NEXT(text.data(), i, text.size(), c);
    if (U_IS_SURROGATE(c)) return {start, static_cast<size_t>(to - chunk), Utf8Stop{start, true}};
    int32_t length = 0;
    auto* bytes = reinterpret_cast<uint8_t*>(to);
    U8_APPEND_UNSAFE(bytes, length, c);
    to += length;
  }
  return {i, static_cast<size_t>(to - chunk), std::nullopt};
}

}  // namespace

Utf8Stop decodeUtf8(const char* bytes, size_t size, bool atEnd, Text& out) {
  if (size == 0) return {0, false};  // many fields are empty: no buffer, no append
  const auto* p = reinterpret_cast<const uint8_t*>(bytes);
  char16_t chunk[kChunk + 1];
  for (size_t i = 0;;) {
    const ChunkEnd end = decodeChunk(p, i, std::min(size, i + kChunk), size, atEnd, chunk);
    out.append(chunk, end.written);
    if (end.stop) return *end.stop;
    if (end.next == size) return {size, false};
    i = end.next;
  }
}

Utf8Stop validateUtf8(const char* bytes, size_t size, bool atEnd) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes);
  size_t i = 0;
  while (i < size) {
    if (p[i] < 0x80) {
      i += std::max<size_t>(1, one_byte::byteRun<Kind::Ascii>(p + i, size - i));
      continue;
    }
    int32_t at = 0;
    const auto next = nextChar(p, i, size, atEnd, at);
    if (const auto* stop = std::get_if<Utf8Stop>(&next)) return *stop;
    i = static_cast<size_t>(at);
  }
  return {i, false};
}

bool encodeUtf8(TextView text, std::string& out, size_t& badIndex, bool doubleQuotes) {
  if (text.empty()) return true;
  char chunk[kChunk + 1];
  for (size_t i = 0;;) {
    const ChunkEnd end = encodeChunk(text, i, std::min(text.size(), i + kChunk / 3), doubleQuotes, chunk);
    out.append(chunk, end.written);
    if (end.stop) {
      badIndex = end.stop->consumed;
      return false;
    }
    if (end.next >= text.size()) return true;
    i = end.next;
  }
}

char* encodeUtf8Into(TextView text, char* to, size_t& badIndex, bool doubleQuotes) {
  const ChunkEnd end = encodeChunk(text, 0, text.size(), doubleQuotes, to);
  if (!end.stop) return to + end.written;
  badIndex = end.stop->consumed;
  return nullptr;
}

}  // namespace zumaro
