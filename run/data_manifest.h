#pragma once
// zumaro-data.txt: what a data folder was built from and what it holds,
// written by zumaro-mkdat beside the 23 data files. UTF-8, one "key = value"
// per line, so that a person can read it and a newer program can add keys.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zumaro {

inline constexpr const char* kManifestName = "zumaro-data.txt";

struct ManifestSource {
  std::string role;     // "KEN_ALL" or "JIGYOSYO"
  std::string file;     // the file given, without its folder
  std::string member;   // the CSV inside a zip file; empty for a CSV given
  std::string edition;  // "cp932" or "utf-8"
  std::string date;     // YYYY-MM-DD of the CSV file
  int64_t bytes = 0;    // of the file given
  std::string sha256;   // of the file given, 64 lower-case hex digits
  int64_t rows = 0;
};

struct DataManifest {
  std::string dataDate;               // YYYY-MM-DD: the newest source date
  int64_t entries = 0;                // in all 23 files
  std::array<int64_t, 24> perFile{};  // [1]..[23]
  std::string builtAt;                // UTC, ISO 8601
  std::string builtBy;                // "zumaro-mkdat 1.2.0"
  std::vector<ManifestSource> sources;
};

std::string manifestText(const DataManifest& manifest);

// Unknown keys and malformed lines are passed over; nullopt when the text
// names neither a date nor an entry count.
std::optional<DataManifest> parseManifest(const std::string& text);

// The manifest of `folder`; nullopt when it has none or it cannot be read.
std::optional<DataManifest> readManifest(const std::string& folder);

}  // namespace zumaro
