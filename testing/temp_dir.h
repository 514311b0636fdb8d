#pragma once
// Test helpers: a folder of its own for each test, and files in code page 932.
#include <filesystem>
#include <string>
#include <vector>

#include "text/text.h"

namespace zumaro::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

void writeBytes(const std::string& path, const std::string& bytes);
std::string readBytes(const std::string& path);

// UTF-8 source text in code page 932; fails the test on a character it cannot hold.
std::string cp932(const std::string& utf8);
std::string fromCp932(const std::string& bytes);

// A data folder of 23 files; `entries[k]` holds the lines of file k, given in
// UTF-8 (each an entry of eleven comma-separated fields).
void writeDataFolder(const std::string& folder, const std::vector<std::vector<std::string>>& entries);

}  // namespace zumaro::testing
