#pragma once
// Made-up place and person names, written and read (UTF-8), in the shapes
// postal data and address lists have.
#include <string>

#include "testing/rng.h"

namespace zumaro::bench {

// Half-width katakana, `syllables` syllables long (a voiced syllable is two
// characters, as in the data).
std::string kanaReading(Rng& rng, int syllables);
// Kanji, `length` characters long.
std::string kanjiName(Rng& rng, int length);

struct PlaceName {
  std::string written;
  std::string reading;
};

// A city, ward, town or village; a town (町) is read ﾁﾖｳ or ﾏﾁ.
PlaceName cityName(Rng& rng);
// A town area; about a third end in 町, read ﾁﾖｳ or ﾏﾁ.
PlaceName townName(Rng& rng);

}  // namespace zumaro::bench
