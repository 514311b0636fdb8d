#pragma once
// Random lists of the comma-separated format, as bytes in code page 932 or
// UTF-8: quoted and unquoted fields, quotes, commas and line ends inside
// quotes, text after a closing quote, blank lines, ragged and short last
// records, characters with two code page 932 forms, and now and then bytes
// the encoding does not hold, in any field.
#include <string>

#include "testing/rng.h"
#include "text/text_encoding.h"

namespace zumaro::testing {

struct RandomListShape {
  TextEncoding encoding = TextEncoding::Cp932;
  int fieldCount = 5;
  int records = 20;
  int invalidPercent = 30;  // of the lists that get one invalid byte sequence
};

std::string randomList(bench::Rng& rng, const RandomListShape& shape);

}  // namespace zumaro::testing
