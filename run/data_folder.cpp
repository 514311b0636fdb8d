#include "run/data_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "state/failure.h"

namespace zumaro {
namespace fs = std::filesystem;

namespace {

fs::path runningProgram() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe;
}

bool isInside(const fs::path& path, const fs::path& folder) {
  auto [f, p] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return f == folder.end();
}

}  // namespace

std::string findDataFolder(const std::string& commandLineDir) {
#ifdef _WIN32
  (void)commandLineDir;
  return "\\Program Files\\Zumaro";
#else
  if (!commandLineDir.empty()) return commandLineDir;
  if (const char* env = std::getenv("ZUMARO_DATA_DIR"); env && *env) return env;
  std::error_code ec;
  fs::path exe = runningProgram();
  fs::path installed = exe.parent_path().parent_path() / ZUMARO_INSTALL_DATA_SUBDIR;
  if (!exe.empty() && fs::is_directory(installed, ec)) return installed.string();
  fs::path buildDir = fs::weakly_canonical(ZUMARO_BUILD_DIR, ec);
  if (!exe.empty() && isInside(exe, buildDir)) return ZUMARO_SOURCE_SAMPLE_DIR;
  return installed.string();
#endif
}

void refuseFileAsDataFolder(const std::string& folder) {
  std::error_code ec;
  if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
    throw RunFailure(u"郵便番号データのフォルダ " + fromUtf8(folder) + u" はフォルダではありません。");
}

}  // namespace zumaro
