#include "testing/temp_dir.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "lookup/data_file.h"
#include "text/codepage.h"

namespace zumaro::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "zumaro-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string cp932(const std::string& utf8) {
  std::string out;
  size_t bad = 0;
  if (!CodePage932::instance().encode(fromUtf8(utf8), out, bad)) throw std::runtime_error("not code page 932: " + utf8);
  return out;
}

std::string fromCp932(const std::string& bytes) {
  bool ok = false;
  Text text = CodePage932::instance().decodeAll(bytes, ok);
  if (!ok) throw std::runtime_error("output is not code page 932");
  return toUtf8(text);
}

void writeDataFolder(const std::string& folder, const std::vector<std::vector<std::string>>& entries) {
  fs::create_directories(folder);
  for (int k = 1; k <= 23; ++k) {
    std::string content;
    if (static_cast<size_t>(k) < entries.size()) {
      for (const std::string& line : entries[static_cast<size_t>(k)]) content += cp932(line) + "\r\n";
    }
    writeBytes(dataFilePath(folder, k), content);
  }
}

}  // namespace zumaro::testing
