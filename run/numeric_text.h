#pragma once
// The two readings of a numeric box's text.
#include <cstdint>
#include <optional>

#include "text/text.h"

namespace zumaro {

// The whole text as a decimal number: optional sign, digits, optional point
// and fraction, optional exponent, blanks before and after. Nothing when the
// text does not read as a number.
std::optional<double> numericValue(TextView text);

// The numeric value rounded to the nearest integer, a half to the even
// neighbour; nothing when that lies outside -32768..32767.
std::optional<int16_t> integerValue(double numeric);

}  // namespace zumaro
