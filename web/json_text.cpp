#include "web/json_text.h"

#include <cstdio>

namespace zumaro::web {

std::string jsonString(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  size_t plain = 0;  // start of the run of bytes that go through as they are
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte >= 0x20 && byte != '"' && byte != '\\') continue;  // UTF-8 goes through as it is
    out.append(utf8, plain, i - plain);
    plain = i + 1;
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    }
  }
  out.append(utf8, plain, utf8.size() - plain);
  return out + '"';
}

std::string jsonStrings(const std::vector<Text>& texts) {
  std::string out = "[";
  for (const Text& text : texts) {
    if (out.size() > 1) out += ',';
    out += jsonString(toUtf8(text));
  }
  return out + "]";
}

void JsonObject::name(std::string_view name) {
  if (json_.size() > 1) json_ += ',';
  json_ += jsonString(name);
  json_ += ':';
}

JsonObject& JsonObject::add(std::string_view name, std::string_view utf8) {
  this->name(name);
  json_ += jsonString(utf8);
  return *this;
}

JsonObject& JsonObject::add(std::string_view name, const Text& text) { return add(name, toUtf8(text)); }

JsonObject& JsonObject::add(std::string_view name, int64_t number) {
  this->name(name);
  json_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool flag) {
  this->name(name);
  json_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::addJson(std::string_view name, std::string_view json) {
  this->name(name);
  json_ += json;
  return *this;
}

}  // namespace zumaro::web
