#pragma once
// Reading and checking the settings in their fixed order. Each setting is
// stored as soon as its own checks pass, so a failed check leaves the earlier
// ones with this press's values and the later ones as they were.
#include <optional>

#include "run/settings_texts.h"

namespace zumaro {

struct ValidationFailure {
  int errcode = 0;  // 1..10, 12..25 as on the form; 26 and up for our own checks
  Text message;     // what the message box shows
};

// Empty optional on success. `match` is the comparison the run will use: a
// town field needs the tolerant one.
std::optional<ValidationFailure> validateSettings(const SettingsTexts& texts, Settings& settings,
                                                  MatchMode match = MatchMode::Tolerant);

}  // namespace zumaro
