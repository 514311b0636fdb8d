#pragma once
// Results handed to the page as JSON: the glue between the core's answers and
// the page's script, which reads them with JSON.parse.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace zumaro::web {

// One JSON object, its members added in order.
class JsonObject {
 public:
  JsonObject& add(std::string_view name, std::string_view utf8);
  JsonObject& add(std::string_view name, const Text& text);
  JsonObject& add(std::string_view name, int64_t number);
  JsonObject& add(std::string_view name, bool flag);
  // A member whose value is JSON already (an array or object).
  JsonObject& addJson(std::string_view name, std::string_view json);
  std::string str() const { return json_ + "}"; }

 private:
  void name(std::string_view name);
  std::string json_ = "{";
};

// "text" with JSON's escapes; the text is UTF-8.
std::string jsonString(std::string_view utf8);
// [a, b, ...] of texts.
std::string jsonStrings(const std::vector<Text>& texts);

}  // namespace zumaro::web
