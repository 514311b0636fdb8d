#pragma once
// The page's settings as it hands them over: one "name=value" a line, the
// names those of zumaro-convert's long options (fields, postal, etc1, opt1,
// header, ...), so that a run in the page and the same options on the
// command line are the same run.
#include <string_view>

#include "run/conversion_run.h"
#include "run/settings_texts.h"

namespace zumaro::web {

struct PageSettings {
  SettingsTexts texts;
  RunRequest request;
};

// Names it does not know are left out, as a box the page does not have.
PageSettings readPageSettings(std::string_view lines);

}  // namespace zumaro::web
