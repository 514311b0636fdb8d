#pragma once
// Text as the conversion sees it: UTF-16 code units, lengths and 1-based
// positions counted in code units, comparison by character code.
#include <string>
#include <string_view>

namespace zumaro {

using Text = std::u16string;
using TextView = std::u16string_view;

inline int len(TextView s) { return static_cast<int>(s.size()); }

// At most `length` characters from the 1-based `start`; a start beyond the
// end gives an empty text, a length beyond the end gives the rest.
Text mid(TextView s, int start, int length);
// The same characters as mid, seen in place, for probes that copy nothing.
inline TextView midView(TextView s, int start, int length) {
  if (start < 1 || length <= 0 || start > len(s)) return {};
  return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
}
// Everything from the 1-based `start` on.
Text mid(TextView s, int start);
Text left(TextView s, int length);

// Character-code order: codes from the left, a proper prefix sorts first.
inline bool textLess(TextView a, TextView b) { return a < b; }
inline bool textGreater(TextView a, TextView b) { return b < a; }

Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView text);
// The same, appended to `out`.
void appendUtf8(std::string& out, TextView text);

}  // namespace zumaro
