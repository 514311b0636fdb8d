#include "records/postal_code_reading.h"

#include <algorithm>

#include "state/record_match.h"

namespace zumaro {
namespace {

constexpr size_t kCodeLength = 7;
constexpr size_t kHyphenPlace = 3;  // 0-based: the fourth character
constexpr size_t kOldCodeHead = 3;  // codes of before 1998: ddd, or ddd-dd
constexpr size_t kOldCodeLength = 5;

bool isDash(char16_t c) {
  switch (c) {
    case u'-':
    case u'ｰ':
    case u'ー':
    case u'－':
    case u'‐':
    case u'−':
    case u'–':
      return true;
    default:
      return false;
  }
}

bool allDigits(TextView text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Spaces dropped wherever they stand, full-width digits as ASCII.
Text compact(TextView field) {
  Text out;
  for (char16_t c : field) {
    if (c == u' ' || c == u'\u3000') continue;
    out.push_back(c >= u'０' && c <= u'９' ? static_cast<char16_t>(c - u'０' + u'0') : c);
  }
  return out;
}

bool plainCode(TextView field) { return field.size() == kCodeLength && allDigits(field); }

bool hyphenatedCode(TextView field) {
  return field.size() == kCodeLength + 1 && field[kHyphenPlace] == u'-' && allDigits(field.substr(0, kHyphenPlace)) &&
         allDigits(field.substr(kHyphenPlace + 1));
}

}  // namespace

PostalCodeReading readPostalCode(TextView field) {
  // The two ways nearly every list writes it, without a copy to compact.
  if (plainCode(field)) return {PostalCodeReading::Kind::Code, Text(field), {}};
  if (hyphenatedCode(field)) {
    Text key(field.substr(0, kHyphenPlace));
    key.append(field.substr(kHyphenPlace + 1));
    return {PostalCodeReading::Kind::Code, std::move(key), {}};
  }
  Text code = compact(field);
  PostalCodeReading reading;
  if (allDigits(code) && (code.size() == 5 || code.size() == 6)) {
    reading.kind = PostalCodeReading::Kind::Repaired;
    reading.key = Text(kCodeLength - code.size(), u'0') + code;
    if (code.size() == 5) reading.oldCode = code;
    return reading;
  }
  if (!code.empty() && code.front() == u'〒') code.erase(0, 1);
  if (code.size() == kOldCodeHead && allDigits(code)) {
    reading.oldCode = code;
    return reading;
  }
  if (code.size() == kOldCodeLength + 1 && isDash(code[kHyphenPlace]) && allDigits(code.substr(0, kHyphenPlace)) &&
      allDigits(code.substr(kHyphenPlace + 1))) {
    reading.oldCode = joined({code.substr(0, kHyphenPlace), code.substr(kHyphenPlace + 1)});
    return reading;
  }
  if (code.size() > kHyphenPlace && isDash(code[kHyphenPlace])) code.erase(kHyphenPlace, 1);
  if (code.size() == kCodeLength && allDigits(code)) {
    reading.kind = PostalCodeReading::Kind::Code;
    reading.key = std::move(code);
  }
  return reading;
}

}  // namespace zumaro
