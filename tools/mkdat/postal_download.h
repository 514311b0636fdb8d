#pragma once
// zumaro-mkdat --download: Japan Post's files fetched into a temporary
// folder, the data folder built from them as from files given by path, and
// what the new folder changes against the one it replaces.
#include <optional>
#include <string>

#include "tools/mkdat/download.h"
#include "tools/mkdat/folder_changes.h"
#include "tools/mkdat/postal_data_build.h"

namespace zumaro::mkdat {

// Japan Post's published addresses (郵便番号データダウンロード,
// https://www.post.japanpost.jp/zipcode/download.html).
inline constexpr const char* kKenAllUrl = "https://www.post.japanpost.jp/zipcode/dl/kogaki/zip/ken_all.zip";
inline constexpr const char* kJigyosyoUrl = "https://www.post.japanpost.jp/zipcode/dl/jigyosyo/zip/jigyosyo.zip";
inline constexpr const char* kUtf8KenAllUrl = "https://www.post.japanpost.jp/zipcode/dl/utf/zip/utf_ken_all.zip";

struct PostalDownload {
  std::string kenAllUrl;  // of the code page 932 or the UTF-8 edition
  std::string jigyosyoUrl;
  bool utf8 = false;     // kenAllUrl gives Japan Post's UTF-8 edition
  std::string previous;  // the folder the new one replaces; empty when none
  DownloadOptions download;
  BuildOptions build;  // kenAll and jigyosyo are set here
};

struct DownloadOutcome {
  bool current = false;  // the files are those the previous folder was built from: nothing built
  std::string previousDate;
  BuildSummary summary;
  std::optional<FolderChanges> changes;  // when there was a previous folder
};

// Throws BuildFailure; the output folder is then as it was.
DownloadOutcome downloadAndBuild(const PostalDownload& request);

}  // namespace zumaro::mkdat
