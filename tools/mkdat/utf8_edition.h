#pragma once
// Japan Post's UTF-8 edition of KEN_ALL (utf_ken_all.zip) differs from the
// code page 932 one: UTF-8 bytes, readings in full-width katakana with
// full-width digits and brackets, a town area on one row instead of several,
// and JIS forms of a few signs (U+2212 minus for the full-width hyphen-minus
// of code page 932). Its rows are brought to the code page 932 edition's
// form here, so that both build the same data folder.
#include <string_view>

#include "tools/mkdat/postal_rows.h"

namespace zumaro::mkdat {

// A UTF-8 byte-order mark, or bytes above 0x7F that are all valid UTF-8
// (code page 932 text of any length never is: its half-width katakana are
// lone bytes 0xA1..0xDF).
bool looksLikeUtf8Edition(std::string_view bytes);

// Whether `bytes` is well-formed UTF-8; `badAt` receives the offset of the
// first byte that is not.
bool isValidUtf8(std::string_view bytes, size_t& badAt);

// Readings to half-width katakana and ASCII; every field's signs to the
// forms code page 932 holds.
void toCodePage932Form(AddressRow& row);
void toCodePage932Form(BusinessRow& row);

}  // namespace zumaro::mkdat
