#include "tools/mkdat/utf8_edition.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <memory>
#include <optional>
#include <string>

#include "text/codepage.h"
#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// ICU's width folding: カ to ｶ, ガ to ｶﾞ, ッ to ｯ, （１） to (1).
const icu::Transliterator& toHalfWidth() {
  static const icu::Transliterator* fold = [] {
    UErrorCode status = U_ZERO_ERROR;
    icu::Transliterator* t = icu::Transliterator::createInstance("Fullwidth-Halfwidth", UTRANS_FORWARD, status);
    if (U_FAILURE(status) || !t) throw BuildFailure("ICU の全角半角変換を使えません。");
    return t;
  }();
  return *fold;
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

// The character code page 932 maps each JIS form onto (U+2212 to U+FF0D,
// U+301C to U+FF5E ...), through ICU's fallback mappings. A character with no
// code page 932 form at all is left as it is, for the data file writer to
// name.
class CodePage932Signs {
 public:
  CodePage932Signs() {
    UErrorCode status = U_ZERO_ERROR;
    converter_.reset(ucnv_open("ibm-943_P15A-2003", &status));
    if (U_FAILURE(status)) throw BuildFailure("ICU のコードページ932変換を使えません。");
    ucnv_setFallback(converter_.get(), true);
    ucnv_setFromUCallBack(converter_.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }

  void apply(Text& field) const {
    for (size_t from = 0; from < field.size();) {
      std::string bytes;
      size_t bad = 0;
      if (CodePage932::instance().encode(TextView(field).substr(from), bytes, bad)) return;
      const size_t at = from + bad;
      const size_t width = U16_IS_LEAD(field[at]) && at + 1 < field.size() ? 2 : 1;
      const std::optional<Text> form = fallbackOf(TextView(field).substr(at, width));
      if (form) field.replace(at, width, *form);
      from = at + (form ? form->size() : width);
    }
  }

 private:
  std::optional<Text> fallbackOf(TextView character) const {
    char bytes[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter_.get());
    const int32_t length =
        ucnv_fromUChars(converter_.get(), bytes, sizeof bytes, reinterpret_cast<const UChar*>(character.data()),
                        static_cast<int32_t>(character.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    bool ok = false;
    Text decoded = CodePage932::instance().decodeAll(std::string_view(bytes, static_cast<size_t>(length)), ok);
    if (!ok || decoded.empty() || decoded == character) return std::nullopt;
    return decoded;
  }

  std::unique_ptr<UConverter, ConverterCloser> converter_;
};

void toCodePage932Signs(Text& field) {
  static const CodePage932Signs signs;
  signs.apply(field);
}

void toHalfWidthReading(Text& reading) {
  toCodePage932Signs(reading);
  icu::UnicodeString text(reinterpret_cast<const UChar*>(reading.data()), static_cast<int32_t>(reading.size()));
  toHalfWidth().transliterate(text);
  reading.assign(reinterpret_cast<const char16_t*>(text.getBuffer()), static_cast<size_t>(text.length()));
}

}  // namespace

bool isValidUtf8(std::string_view bytes, size_t& badAt) {
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto length = static_cast<int32_t>(bytes.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) {
      badAt = static_cast<size_t>(start);
      return false;
    }
  }
  return true;
}

bool looksLikeUtf8Edition(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return true;
  bool high = false;
  for (char c : bytes) high = high || static_cast<unsigned char>(c) > 0x7F;
  size_t badAt = 0;
  return high && isValidUtf8(bytes, badAt);
}

void toCodePage932Form(AddressRow& row) {
  for (Text* reading : {&row.prefectureReading, &row.cityReading, &row.townReading}) toHalfWidthReading(*reading);
  for (Text* written : {&row.prefecture, &row.city, &row.town}) toCodePage932Signs(*written);
}

void toCodePage932Form(BusinessRow& row) {
  toHalfWidthReading(row.nameReading);
  for (Text* written : {&row.name, &row.prefecture, &row.city, &row.town, &row.block}) toCodePage932Signs(*written);
}

}  // namespace zumaro::mkdat
