#pragma once
// UTF-8 on disk, UTF-16 in memory, with the same contract as the code page
// 932 tables: decoding stops before invalid bytes and before a character cut
// by the end of the bytes given, so that a file is decoded a block at a time.
#include <cstddef>
#include <string>

#include "text/text.h"

namespace zumaro {

struct Utf8Stop {
  size_t consumed;  // bytes turned into characters
  bool invalid;     // stopped at bytes that are not UTF-8
};

// Appends the characters of `bytes` to `out`. A character cut by the end of
// `bytes` is left undecoded, and is invalid only when `atEnd` says no more
// bytes follow.
Utf8Stop decodeUtf8(const char* bytes, size_t size, bool atEnd, Text& out);

// Where decodeUtf8 would stop on the same bytes, without decoding them.
Utf8Stop validateUtf8(const char* bytes, size_t size, bool atEnd);

// Appends the UTF-8 bytes of `text` to `out`; on a lone surrogate, which has
// no UTF-8 form, returns false with its index in `badIndex`. `doubleQuotes`
// writes each double quote twice, as a quoted CSV value holds it.
bool encodeUtf8(TextView text, std::string& out, size_t& badIndex, bool doubleQuotes = false);
// encodeUtf8 straight into `to`, which has room for three bytes a unit and
// one more: the end of the bytes written, or nullptr with `badIndex` set.
char* encodeUtf8Into(TextView text, char* to, size_t& badIndex, bool doubleQuotes);

}  // namespace zumaro
