#include "run/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <system_error>

namespace zumaro {

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

// A Japanese keyboard readily gives full-width digits and signs; they mean
// the same as the ASCII ones. Anything else outside ASCII is not a number.
char toAscii(char16_t c) {
  if (c >= u'０' && c <= u'９') return static_cast<char>('0' + (c - u'０'));
  switch (c) {
    case u'＋':
      return '+';
    case u'－':
      return '-';
    case u'．':
      return '.';
    default:
      return c < 0x80 ? static_cast<char>(c) : '\0';
  }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The shape is checked by hand so that nothing the conversion routine would
// take on its own (inf, nan, hex, a trailing rest) slips through.
struct Shape {
  bool negative = false;
  std::string mantissa;  // digits only, point removed
  int integerDigits = 0;
  long exponent = 0;  // saturated; only its size matters for range
};

std::optional<Shape> readShape(const std::string& s) {
  Shape shape;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) shape.negative = s[i++] == '-';
  for (; i < s.size() && isDigit(s[i]); ++i) shape.mantissa += s[i];
  shape.integerDigits = static_cast<int>(shape.mantissa.size());
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && isDigit(s[i]); ++i) shape.mantissa += s[i];
  }
  if (shape.mantissa.empty()) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    if (i == s.size() || !isDigit(s[i])) return std::nullopt;
    for (; i < s.size() && isDigit(s[i]); ++i) {
      if (shape.exponent < 1'000'000) shape.exponent = shape.exponent * 10 + (s[i] - '0');
    }
    if (negativeExponent) shape.exponent = -shape.exponent;
  }
  if (i != s.size()) return std::nullopt;
  return shape;
}

// from_chars leaves the value unset when it is out of range; the decimal
// order of the leading digit tells an overflow from an underflow.
double outOfRangeValue(const Shape& shape) {
  size_t first = shape.mantissa.find_first_not_of('0');
  if (first == std::string::npos) return shape.negative ? -0.0 : 0.0;
  long order = static_cast<long>(shape.integerDigits) - 1 - static_cast<long>(first) + shape.exponent;
  double magnitude = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return shape.negative ? -magnitude : magnitude;
}

}  // namespace

std::optional<double> numericValue(TextView text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;

  std::string ascii;
  for (size_t i = begin; i < end; ++i) {
    char c = toAscii(text[i]);
    if (c == '\0') return std::nullopt;
    ascii += c;
  }
  std::optional<Shape> shape = readShape(ascii);
  if (!shape) return std::nullopt;

  // from_chars is locale-independent but takes no plus sign.
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  if (*first == '+') ++first;
  double value = 0.0;
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) return outOfRangeValue(*shape);
  if (ec != std::errc() || ptr != last) return std::nullopt;
#else
  // A standard library without from_chars for doubles: the same reading
  // in the "C" locale, whatever the process's locale is.
  std::istringstream in(std::string(first, last));
  in.imbue(std::locale::classic());
  in >> value;
  // The shape was read already: only its range can fail.
  if (in.fail()) return outOfRangeValue(*shape);
  if (in.peek() != std::char_traits<char>::eof()) return std::nullopt;
#endif
  return value;
}

std::optional<int16_t> integerValue(double numeric) {
  if (!std::isfinite(numeric)) return std::nullopt;
  // Explicit half-to-even, independent of the floating-point rounding mode.
  double rounded = std::floor(numeric);
  double rest = numeric - rounded;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(rounded, 2.0) != 0.0)) rounded += 1.0;
  if (rounded < std::numeric_limits<int16_t>::min() || rounded > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(rounded);
}

}  // namespace zumaro
