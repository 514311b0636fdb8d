#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/uset.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/icu_source.h"

namespace zumaro {
namespace {

constexpr const char* kConverterName = "ibm-943_P15A-2003";

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openStrictConverter() {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr converter(ucnv_open(kConverterName, &status));
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no converter " + std::string(kConverterName));
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return converter;
}

// The one character the bytes decode to, or -1 (-2: a lead byte wanting more).
int decodeOne(UConverter* c, const char* bytes, int size) {
  UChar out[4];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetToUnicode(c);
  int32_t n = ucnv_toUChars(c, out, 4, bytes, size, &status);
  if (status == U_TRUNCATED_CHAR_FOUND) return -2;
  if (U_FAILURE(status) || n != 1) return -1;
  return out[0];
}

// The characters the converter could give bytes for, fallbacks included:
// the others have no form whatever it is set to, and skipping each of them
// cost ICU most of the start-up.
std::vector<UChar> encodableCandidates(UConverter* converter) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<USet, decltype(&uset_close)> set(uset_openEmpty(), &uset_close);
  ucnv_getUnicodeSet(converter, set.get(), UCNV_ROUNDTRIP_AND_FALLBACK_SET, &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not list the code page 932 characters");
  std::vector<UChar> chars;
  for (int32_t r = 0; r < uset_getRangeCount(set.get()); ++r) {
    UChar32 first = 0, last = 0;
    uset_getItem(set.get(), r, &first, &last, nullptr, 0, &status);
    for (UChar32 u = first; u <= std::min<UChar32>(last, 0xFFFF); ++u)
      if (u < 0xD800 || u > 0xDFFF) chars.push_back(static_cast<UChar>(u));
  }
  return chars;
}

// Every pair of every lead byte through one call, the offsets telling which
// pair gave each character. A pair is a character when exactly one character
// carries its offset: bytes that are no pair give nothing, or a character for
// the trail byte alone, at the odd offset after.
void readPairs(UConverter* converter, CodePage932Source& source) {
  std::vector<char> pairs;
  for (int b = 0; b < 256; ++b)
    for (int t = 0; t < 256 && source.single[b] == CodePage932Source::kLead; ++t) {
      pairs.push_back(static_cast<char>(b));
      pairs.push_back(static_cast<char>(t));
    }
  std::vector<UChar> chars(pairs.size());
  std::vector<int32_t> offsets(pairs.size());
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  ucnv_resetToUnicode(converter);
  UChar* to = chars.data();
  const char* from = pairs.data();
  ucnv_toUnicode(converter, &to, chars.data() + chars.size(), &from, pairs.data() + pairs.size(), offsets.data(), true,
                 &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not decode the code page 932 table");
  const auto made = static_cast<size_t>(to - chars.data());
  for (size_t k = 0; k < made; ++k) {
    const int32_t at = offsets[k];
    const bool alone = (k == 0 || offsets[k - 1] != at) && (k + 1 == made || offsets[k + 1] != at);
    if (at < 0 || at % 2 != 0 || !alone || chars[k] == 0) continue;
    const auto lead = static_cast<uint8_t>(pairs[static_cast<size_t>(at)]);
    source.pairs[lead][static_cast<uint8_t>(pairs[static_cast<size_t>(at) + 1])] = chars[k];
  }
}

// The candidates through one call, the offsets telling which bytes each one
// gave; one call per character took most of the start-up. Characters
// without a form are skipped.
void readEncoding(UConverter* converter, CodePage932Source& source) {
  const std::vector<UChar> chars = encodableCandidates(converter);
  std::vector<char> bytes(4 * chars.size());
  std::vector<int32_t> offsets(bytes.size());
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &status);
  ucnv_resetFromUnicode(converter);
  char* to = bytes.data();
  const UChar* from = chars.data();
  ucnv_fromUnicode(converter, &to, bytes.data() + bytes.size(), &from, chars.data() + chars.size(), offsets.data(),
                   true, &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not encode the code page 932 table");
  const size_t made = static_cast<size_t>(to - bytes.data());
  for (size_t i = 0; i < made;) {
    size_t n = 1;
    while (i + n < made && offsets[i + n] == offsets[i]) ++n;
    const auto first = static_cast<uint8_t>(bytes[i]);
    const UChar ch = chars[static_cast<size_t>(offsets[i])];
    if (n == 1) source.encode[ch] = first;
    if (n == 2) source.encode[ch] = static_cast<uint16_t>(first | static_cast<uint8_t>(bytes[i + 1]) << 8);
    i += n;
  }
}

}  // namespace

void readCodePage932(CodePage932Source& source) {
  ConverterPtr converter = openStrictConverter();
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const int ch = decodeOne(converter.get(), &byte, 1);
    source.single[b] = ch == -2 ? CodePage932Source::kLead
                       : ch < 0 ? CodePage932Source::kInvalid
                                : static_cast<uint16_t>(ch);
  }
  readPairs(converter.get(), source);
  readEncoding(converter.get(), source);
}

void readUnicode(UnicodeSource& source) {
  for (UChar32 c = 0; c < 0x10000; ++c) {
    // A BMP letter whose partner lies outside the BMP would change the
    // length: such a letter keeps its case.
    const UChar32 up = u_toupper(c);
    const UChar32 low = u_tolower(c);
    if (up != c && up < 0x10000) source.upper.emplace_back(static_cast<char16_t>(c), static_cast<char16_t>(up));
    if (low != c && low < 0x10000) source.lower.emplace_back(static_cast<char16_t>(c), static_cast<char16_t>(low));
  }
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
  // Without ICU's data every conversion would be silently wrong.
  if (U_FAILURE(status)) throw std::runtime_error("ICU normalisation data is missing");
  for (size_t i = 0; i < source.halfKanaNfkc.size(); ++i) {
    const icu::UnicodeString full = nfkc->normalize(icu::UnicodeString(static_cast<UChar>(0xFF61 + i)), status);
    source.halfKanaNfkc[i] = full.length() == 1 ? static_cast<char16_t>(full.charAt(0)) : 0;
  }
  for (size_t i = 0; i < source.withVoiced.size(); ++i) {
    const auto c = static_cast<UChar32>(0x3000 + i);
    const UChar32 v = nfc->composePair(c, 0x3099);
    const UChar32 s = nfc->composePair(c, 0x309A);
    source.withVoiced[i] = static_cast<char16_t>(v > 0 && v < 0x10000 ? v : 0);
    source.withSemiVoiced[i] = static_cast<char16_t>(s > 0 && s < 0x10000 ? s : 0);
  }
  for (size_t i = 0; i < source.katakanaDecomposition.size(); ++i) {
    icu::UnicodeString d;
    if (nfd->getDecomposition(static_cast<UChar32>(0x30A0 + i), d) && d.length() == 2)
      source.katakanaDecomposition[i] = {static_cast<char16_t>(d.charAt(0)), static_cast<char16_t>(d.charAt(1))};
  }
}

}  // namespace zumaro
