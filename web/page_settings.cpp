#include "web/page_settings.h"

#include <string>

namespace zumaro::web {
namespace {

// The box an option fills, or nullptr.
Text* boxNamed(SettingsTexts& t, std::string_view name) {
  if (name == "fields") return &t.fieldCount;
  if (name == "postal") return &t.postalCodePosition;
  if (name == "pref") return &t.prefecturePosition;
  if (name == "city") return &t.cityPosition;
  if (name == "town") return &t.townPosition;
  if (name == "building") return &t.buildingPosition;
  if (name == "company") return &t.companyPosition;
  if (name == "input") return &t.inputPath;
  if (name == "output") return &t.outputPath;
  for (int k = 1; k <= kFurtherPairs; ++k) {
    const std::string n = std::to_string(k);
    if (name == "etc" + n) return &t.positionOfFurtherField[k];
    if (name == "opt" + n) return &t.conversionOfFurtherField[k];
  }
  return nullptr;
}

void applyOption(PageSettings& s, std::string_view name, std::string_view value) {
  RunRequest& r = s.request;
  if (Text* box = boxNamed(s.texts, name)) {
    *box = fromUtf8(value);
  } else if (name == "data-dir") {
    r.dataFolder = value;
  } else if (name == "unmatched") {
    r.unmatchedPath = value;
  } else if (name == "report") {
    r.reportPath = value;
  } else if (name == "encoding") {
    if (auto choice = encodingChoiceNamed(value)) r.encoding = *choice;
  } else if (name == "output-encoding") {
    if (auto encoding = encodingNamed(value)) r.outputEncoding = *encoding;
  } else if (name == "header") {
    r.header = value == "1";
  } else if (name == "fix-postal-code") {
    r.fixPostalCode = value == "1";
  } else if (name == "blocks") {
    r.blocks = value == "written" ? BlockStyle::Written : BlockStyle::FullWidth;
  } else if (name == "match") {
    r.match = value == "classic" ? MatchMode::Classic : MatchMode::Tolerant;
  }
}

}  // namespace

PageSettings readPageSettings(std::string_view lines) {
  PageSettings s;
  while (!lines.empty()) {
    const size_t end = lines.find('\n');
    const std::string_view line = lines.substr(0, end);
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos) applyOption(s, line.substr(0, equals), line.substr(equals + 1));
  }
  return s;
}

}  // namespace zumaro::web
