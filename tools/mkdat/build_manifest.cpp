#include "tools/mkdat/build_manifest.h"

#include <ctime>

namespace zumaro::mkdat {
namespace {

std::string utcNow() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  char text[32] = "";
  if (gmtime_r(&now, &parts)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

}  // namespace

ManifestSource manifestSource(const SourceFile& source, const char* role, int64_t rows) {
  ManifestSource s;
  s.role = role;
  s.file = source.fileName;
  s.member = source.member;
  s.edition = source.utf8 ? "utf-8" : "cp932";
  s.date = source.date;
  s.bytes = source.fileBytes;
  s.sha256 = source.sha256;
  s.rows = rows;
  return s;
}

DataManifest makeManifest(std::vector<ManifestSource> sources, const DataFileTexts& texts) {
  DataManifest m;
  for (const ManifestSource& s : sources) {
    if (s.date > m.dataDate) m.dataDate = s.date;
  }
  for (int k = 1; k <= kDataFiles; ++k) {
    m.perFile[static_cast<size_t>(k)] = texts.entries[static_cast<size_t>(k)];
    m.entries += texts.entries[static_cast<size_t>(k)];
  }
  m.builtAt = utcNow();
  m.builtBy = std::string("zumaro-mkdat ") + ZUMARO_VERSION;
  m.sources = std::move(sources);
  return m;
}

}  // namespace zumaro::mkdat
