#include "run/data_folder_description.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "lookup/data_file.h"
#include "run/data_age.h"
#include "run/data_manifest.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;

constexpr int kDataFileCount = 23;

// Entries are lines; a last line without its line end counts too.
int64_t linesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  int64_t lines = 0;
  char buffer[1 << 16];
  char last = '\n';
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const auto got = static_cast<size_t>(in.gcount());
    lines += std::count(buffer, buffer + got, '\n');
    last = buffer[got - 1];
  }
  return lines + (last != '\n' ? 1 : 0);
}

bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  fs::path ca = fs::weakly_canonical(a, ec1);
  fs::path cb = fs::weakly_canonical(b, ec2);
  return !ec1 && !ec2 && ca == cb;
}

}  // namespace

DataFolderDescription describeDataFolder(const std::string& folder) {
  DataFolderDescription d;
  d.folder = folder;
  std::error_code ec;
  d.exists = fs::is_directory(folder, ec);
  if (!d.exists) {
    d.filesMissing = true;
    return d;
  }
  std::optional<DataManifest> manifest = readManifest(folder);
  if (manifest && !manifest->dataDate.empty()) d.date = manifest->dataDate;
  const bool countFiles = !manifest || manifest->entries == 0;
  if (!countFiles) d.entries = manifest->entries;
  for (int k = 1; k <= kDataFileCount; ++k) {
    const std::string path = dataFilePath(folder, k);
    if (!fs::is_regular_file(path, ec)) {
      d.filesMissing = true;
    } else if (countFiles) {
      d.entries += linesOf(path);
    }
  }
  d.isSample = sameFolder(folder, ZUMARO_SOURCE_SAMPLE_DIR);
  return d;
}

std::optional<int64_t> staleDataAge(const DataFolderDescription& d, const std::string& today) {
  if (!d.exists || !d.date) return std::nullopt;
  const std::optional<int64_t> days = daysBetween(*d.date, today);
  if (!days || *days <= kStaleDataDays) return std::nullopt;
  return days;
}

Text dataFolderLine(const DataFolderDescription& d, const std::string& today) {
  // Appended piece by piece: GCC 12 warns wrongly on u"..." + Text.
  Text line = u"郵便番号データ: ";
  line += fromUtf8(d.folder);
  line += u"（";
  if (!d.exists) {
    line += u"フォルダがありません）";
    return line;
  }
  line += d.date ? fromUtf8(*d.date) : Text(u"日付不明");
  line += u"、";
  line += fromUtf8(std::to_string(d.entries));
  line += u"件";
  if (const std::optional<int64_t> age = staleDataAge(d, today)) {
    line += u"、";
    line += fromUtf8(std::to_string(*age));
    line += u"日前のデータです。zumaro-mkdat --download で更新できます";
  }
  line += u"）";
  return line;
}

}  // namespace zumaro
