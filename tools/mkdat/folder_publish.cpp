#include "tools/mkdat/folder_publish.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "lookup/data_file.h"
#include "run/data_manifest.h"
#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;

// `what` names the path and the step; the system's reason follows.
[[noreturn]] void failWith(const std::string& what, int error) {
  throw BuildFailure(what + "（" + std::strerror(error) + "）。");
}

void writeFile(const std::string& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    int error = errno;
    failWith(path + " を作成できません", error);
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int error = errno;
      ::close(fd);
      failWith(path + " に書き込めません", error);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int error = errno;
    failWith(path + " に書き込めません", error);
  }
}

// A temporary folder: removed with what it holds unless released.
class Staging {
 public:
  explicit Staging(const std::string& pattern) : path_(pattern) {
    if (!::mkdtemp(path_.data())) {
      int error = errno;
      failWith("一時フォルダ " + pattern + " を作成できません", error);
    }
  }
  ~Staging() {
    if (path_.empty()) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;
  const std::string& path() const { return path_; }
  void release() { path_.clear(); }

 private:
  std::string path_;
};

std::string manifestPath(const std::string& folder) { return folder + "/" + kManifestName; }

void writeAll(const std::string& folder, const DataFileTexts& texts, const std::string& manifest) {
  for (int k = 1; k <= kDataFiles; ++k) writeFile(dataFilePath(folder, k), texts.bytes[static_cast<size_t>(k)]);
  writeFile(manifestPath(folder), manifest);
}

void moveInto(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    int error = errno;
    failWith("完成したファイルを " + to + " に移せません", error);
  }
}

}  // namespace

void publishDataFolder(const std::string& folder, const DataFileTexts& texts, const std::string& manifest) {
  fs::path target = fs::path(folder).lexically_normal();
  if (!target.has_filename()) target = target.parent_path();
  std::error_code ec;
  bool exists = fs::exists(target, ec);
  if (exists && !fs::is_directory(target, ec)) throw BuildFailure(folder + " はフォルダではありません。");
  if (!exists) {
    // A new folder appears whole: written under a temporary name beside it, then renamed.
    fs::path parent = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".mkdat-XXXXXX";
    Staging staging((parent / hiddenName).string());
    // mkdtemp makes the folder private; the data folder is for every user.
    fs::permissions(staging.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    writeAll(staging.path(), texts, manifest);
    moveInto(staging.path(), target.string());
    staging.release();
    return;
  }
  // An existing folder gets each file replaced only after all 23 are written.
  Staging staging((target / ".mkdat-XXXXXX").string());
  writeAll(staging.path(), texts, manifest);
  for (int k = 1; k <= kDataFiles; ++k) {
    moveInto(dataFilePath(staging.path(), k), dataFilePath(target.string(), k));
  }
  // Last, so that a manifest never describes files that are not there yet.
  moveInto(manifestPath(staging.path()), manifestPath(target.string()));
}

}  // namespace zumaro::mkdat
