#pragma once
// The part of a city's name that an address may leave out because the
// postal code names it already: the 郡 of a town or village (吾妻郡 of
// 吾妻郡長野原町) and the designated city before its ward (堺市 of
// 堺市美原区). Found from the written name; its reading ends in ｸﾞﾝ or ｼ.
#include <array>

#include "text/text.h"

namespace zumaro {

struct CityLead {
  TextView written;  // the lead as written, 吾妻郡; empty: the city has none
  TextView rest;     // the town, village or ward as written, 長野原町
  // Where the reading may end the lead (after a ｸﾞﾝ or a ｼ): a name can
  // hold the same sound before, so every place that fits is given.
  static constexpr size_t kMostEnds = 4;
  std::array<size_t, kMostEnds> readingEnds{};
  size_t endCount = 0;
};

// The lead of a city written `written` and read `reading` (folded).
CityLead cityLead(TextView written, TextView reading);

}  // namespace zumaro
