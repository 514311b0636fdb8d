#include "run/data_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "run/data_manifest.h"
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

bool isFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

fs::path installedDataFolder(const fs::path& exe) {
  return exe.parent_path().parent_path() / ZUMARO_INSTALL_DATA_SUBDIR;
}

bool runsFromBuildTree(const fs::path& exe) {
  std::error_code ec;
  fs::path buildDir = fs::weakly_canonical(ZUMARO_BUILD_DIR, ec);
  return !exe.empty() && !ec && isInside(exe, buildDir);
}

const char* nonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

}  // namespace

std::string userDataFolder() {
  // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
  if (const char* xdg = nonEmptyEnv("XDG_DATA_HOME"); xdg && xdg[0] == '/') return std::string(xdg) + "/zumaro";
  if (const char* home = nonEmptyEnv("HOME")) return std::string(home) + "/.local/share/zumaro";
  return {};
}

std::string sharedDataFolder() {
  fs::path exe = runningProgram();
  if (exe.empty()) return {};
  if (fs::path installed = installedDataFolder(exe); isFolder(installed)) return installed.string();
  if (runsFromBuildTree(exe) && isFolder(ZUMARO_BUILT_DATA_DIR)) return ZUMARO_BUILT_DATA_DIR;
  return {};
}

DataFolderChoice chooseDataFolder(const std::string& commandLineDir) {
#ifdef _WIN32
  (void)commandLineDir;
  return {"\\Program Files\\Zumaro", DataFolderOrigin::Installed};
#else
  if (!commandLineDir.empty()) return {commandLineDir, DataFolderOrigin::CommandLine};
  if (const char* env = nonEmptyEnv("ZUMARO_DATA_DIR")) return {env, DataFolderOrigin::Environment};
  if (std::string user = userDataFolder(); !user.empty() && isFolder(user)) return {user, DataFolderOrigin::User};
  fs::path exe = runningProgram();
  if (exe.empty()) return {ZUMARO_INSTALL_DATA_SUBDIR, DataFolderOrigin::Installed};
  fs::path installed = installedDataFolder(exe);
  if (isFolder(installed)) return {installed.string(), DataFolderOrigin::Installed};
  if (runsFromBuildTree(exe)) return {ZUMARO_BUILT_DATA_DIR, DataFolderOrigin::BuildTree};
  return {installed.string(), DataFolderOrigin::Installed};
#endif
}

std::optional<Text> olderUserDataWarning(const DataFolderChoice& choice) {
  if (choice.origin != DataFolderOrigin::User) return std::nullopt;
  const std::string shared = sharedDataFolder();
  if (shared.empty()) return std::nullopt;
  const std::optional<DataManifest> mine = readManifest(choice.folder);
  const std::optional<DataManifest> theirs = readManifest(shared);
  // Dates are YYYY-MM-DD, so text order is date order; an unknown date is never called older.
  if (!mine || !theirs || mine->dataDate.empty() || mine->dataDate >= theirs->dataDate) return std::nullopt;
  return u"あなたの郵便番号データ " + fromUtf8(choice.folder) + u"（" + fromUtf8(mine->dataDate) +
         u"）は、プログラムに付属のデータ " + fromUtf8(shared) + u"（" + fromUtf8(theirs->dataDate) +
         u"）より古いデータです。このまま使います。新しくするには zumaro-mkdat "
         u"で作り直すか、このフォルダを削除して下さい。";
}

void refuseFileAsDataFolder(const std::string& folder) {
  std::error_code ec;
  if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
    throw RunFailure(u"郵便番号データのフォルダ " + fromUtf8(folder) + u" はフォルダではありません。");
}

}  // namespace zumaro
