#include "run/data_manifest.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace zumaro {
namespace {

std::string twoDigits(int k) {
  char name[8];
  std::snprintf(name, sizeof name, "%02d", k);
  return name;
}

void put(std::ostringstream& out, const std::string& key, const std::string& value) {
  out << key << " = " << value << "\n";
}

std::optional<int64_t> number(const std::string& text) {
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// "source.2.sha256" -> index 2, field "sha256".
bool splitSourceKey(const std::string& key, size_t& index, std::string& field) {
  const std::string prefix = "source.";
  if (key.rfind(prefix, 0) != 0) return false;
  size_t dot = key.find('.', prefix.size());
  if (dot == std::string::npos) return false;
  std::optional<int64_t> n = number(key.substr(prefix.size(), dot - prefix.size()));
  if (!n || *n < 1 || *n > 16) return false;
  index = static_cast<size_t>(*n);
  field = key.substr(dot + 1);
  return true;
}

void setSourceField(ManifestSource& s, const std::string& field, const std::string& value) {
  if (field == "role") s.role = value;
  if (field == "file") s.file = value;
  if (field == "member") s.member = value;
  if (field == "edition") s.edition = value;
  if (field == "date") s.date = value;
  if (field == "sha256") s.sha256 = value;
  if (field == "bytes") s.bytes = number(value).value_or(0);
  if (field == "rows") s.rows = number(value).value_or(0);
}

void setField(DataManifest& m, const std::string& key, const std::string& value, bool& known) {
  size_t index = 0;
  std::string field;
  if (key == "data-date") {
    m.dataDate = value;
    known = true;
  } else if (key == "entries" && number(value)) {
    m.entries = *number(value);
    known = true;
  } else if (key == "built-at") {
    m.builtAt = value;
  } else if (key == "built-by") {
    m.builtBy = value;
  } else if (splitSourceKey(key, index, field)) {
    if (m.sources.size() < index) m.sources.resize(index);
    setSourceField(m.sources[index - 1], field, value);
  } else {
    for (int k = 1; k <= 23; ++k) {
      if (key == "entries." + twoDigits(k) + ".dat") m.perFile[static_cast<size_t>(k)] = number(value).value_or(0);
    }
  }
}

}  // namespace

std::string manifestText(const DataManifest& m) {
  std::ostringstream out;
  out << "# Zumaro の郵便番号データ: 元のファイルと件数 (zumaro-mkdat が作成)\n";
  put(out, "data-date", m.dataDate);
  put(out, "entries", std::to_string(m.entries));
  put(out, "built-at", m.builtAt);
  put(out, "built-by", m.builtBy);
  for (size_t i = 0; i < m.sources.size(); ++i) {
    const ManifestSource& s = m.sources[i];
    const std::string p = "source." + std::to_string(i + 1) + ".";
    put(out, p + "role", s.role);
    put(out, p + "file", s.file);
    if (!s.member.empty()) put(out, p + "member", s.member);
    put(out, p + "edition", s.edition);
    put(out, p + "date", s.date);
    put(out, p + "bytes", std::to_string(s.bytes));
    put(out, p + "sha256", s.sha256);
    put(out, p + "rows", std::to_string(s.rows));
  }
  for (int k = 1; k <= 23; ++k)
    put(out, "entries." + twoDigits(k) + ".dat", std::to_string(m.perFile[static_cast<size_t>(k)]));
  return out.str();
}

std::optional<DataManifest> parseManifest(const std::string& text) {
  DataManifest m;
  bool known = false;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t eq = line.find(" = ");
    if (eq == std::string::npos) continue;
    setField(m, line.substr(0, eq), line.substr(eq + 3), known);
  }
  if (!known) return std::nullopt;
  return m;
}

std::optional<DataManifest> readManifest(const std::string& folder) {
  std::ifstream in(folder + "/" + kManifestName, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return parseManifest(text.str());
}

}  // namespace zumaro
