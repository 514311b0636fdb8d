// Code page 932 as this build decodes and encodes it, against ICU's
// converter itself, one pair and one character a call.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <memory>
#include <string>

#include "text/codepage.h"

namespace zumaro {
namespace {

const CodePage932& cp() { return CodePage932::instance(); }

// The tables are read from ICU a whole range per call; each pair and each
// character asked of ICU alone must give the same, the three control codes
// the tables map as Windows does apart.
struct Icu {
  Icu() {
    UErrorCode status = U_ZERO_ERROR;
    converter.reset(ucnv_open("ibm-943_P15A-2003", &status));
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  }
  // The one character the bytes are, or nothing.
  Text decode(const std::string& bytes) const {
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter.get());
    const int32_t n = ucnv_toUChars(converter.get(), out, 4, bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    return U_FAILURE(status) || n != 1 ? Text() : Text(1, out[0]);
  }
  std::string encode(char16_t c) const {
    char out[8];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter.get());
    const int32_t n = ucnv_fromUChars(converter.get(), out, 8, reinterpret_cast<const UChar*>(&c), 1, &status);
    return U_FAILURE(status) ? std::string() : std::string(out, static_cast<size_t>(n));
  }
  std::unique_ptr<UConverter, decltype(&ucnv_close)> converter{nullptr, &ucnv_close};
};

TEST(CodePage932, TablesAgreeWithIcuOneCharacterAtATime) {
  const Icu icu;
  for (int lead = 0; lead < 256; ++lead) {
    if (!cp().isLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      bool ok = false;
      const Text ours = cp().decodeAll(pair, ok);
      ASSERT_EQ(ok ? ours : Text(), icu.decode(pair)) << lead << " " << trail;
    }
  }
  for (int u = 0; u < 0x10000; ++u) {
    if ((u >= 0xD800 && u <= 0xDFFF) || u == 0x1A || u == 0x1C || u == 0x7F) continue;
    std::string ours;
    size_t bad = 0;
    if (!cp().encode(Text(1, static_cast<char16_t>(u)), ours, bad)) ours.clear();
    ASSERT_EQ(ours, icu.encode(static_cast<char16_t>(u))) << std::hex << u;
  }
}

}  // namespace
}  // namespace zumaro
