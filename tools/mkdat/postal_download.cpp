#include "tools/mkdat/postal_download.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run/data_manifest.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/sha256.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;

// A private temporary folder for the downloaded files, removed with them.
class DownloadFolder {
 public:
  DownloadFolder() {
    std::error_code ec;
    path_ = (fs::temp_directory_path(ec) / "zumaro-download-XXXXXX").string();
    if (ec || !::mkdtemp(path_.data())) {
      const std::string what = path_;
      path_.clear();
      throw BuildFailure("一時フォルダ " + what + " を作成できません（" + std::strerror(errno) + "）。");
    }
  }
  ~DownloadFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  DownloadFolder(const DownloadFolder&) = delete;
  DownloadFolder& operator=(const DownloadFolder&) = delete;
  std::string file(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string fileDigest(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return sha256Hex(bytes.str());
}

// Whether `manifest` names exactly these two files as its sources.
bool builtFrom(const DataManifest& manifest, const std::string& kenAll, const std::string& jigyosyo) {
  if (manifest.sources.size() != 2) return false;
  for (const ManifestSource& s : manifest.sources) {
    if (s.sha256 != (s.role == "KEN_ALL" ? kenAll : s.role == "JIGYOSYO" ? jigyosyo : std::string())) return false;
  }
  return true;
}

void fetch(const std::string& url, const std::string& path, const char* what, const PostalDownload& request) {
  DownloadOptions options = request.download;
  if (const auto& report = request.build.onProgress) {
    options.onProgress = [&report, what, next = request.download.onProgress](int64_t got, int64_t expected) {
      report({what, got, expected > 0 ? static_cast<double>(got) / static_cast<double>(expected) : 0.0});
      return next ? next(got, expected) : true;
    };
  }
  downloadZip(url, path, options);
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

DownloadOutcome downloadAndBuild(const PostalDownload& request) {
  DownloadFolder folder;
  const bool utf8 = request.utf8;
  const std::string kenAll = folder.file(utf8 ? "utf_ken_all.zip" : "ken_all.zip");
  const std::string jigyosyo = folder.file("jigyosyo.zip");
  fetch(request.kenAllUrl, kenAll,
        utf8 ? "utf_ken_all.zipのダウンロード（バイト）" : "ken_all.zipのダウンロード（バイト）", request);
  fetch(request.jigyosyoUrl, jigyosyo, "jigyosyo.zipのダウンロード（バイト）", request);

  DownloadOutcome outcome;
  std::optional<FolderEntries> before;
  if (!request.previous.empty()) {
    if (std::optional<DataManifest> manifest = readManifest(request.previous)) {
      outcome.previousDate = manifest->dataDate;
      outcome.current = builtFrom(*manifest, fileDigest(kenAll), fileDigest(jigyosyo));
      if (outcome.current) return outcome;
    }
    before = readFolderEntries(request.previous);
  }

  BuildOptions build = request.build;
  build.kenAll = kenAll;
  build.jigyosyo = jigyosyo;
  try {
    outcome.summary = buildDataFolder(build);
  } catch (const BuildFailure& e) {
    // The user knows the files by their addresses, not by the temporary copies.
    std::string message = e.what();
    replaceAll(message, kenAll, request.kenAllUrl);
    replaceAll(message, jigyosyo, request.jigyosyoUrl);
    throw BuildFailure(message);
  }
  if (before) outcome.changes = compareEntries(*before, readFolderEntries(build.output));
  return outcome;
}

}  // namespace zumaro::mkdat
