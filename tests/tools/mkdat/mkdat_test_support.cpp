#include "tools/mkdat/mkdat_test_support.h"

#include <gtest/gtest.h>
#include <zip.h>

#include "lookup/data_file.h"
#include "lookup/range_table.h"

namespace zumaro::testing {

std::vector<std::vector<Entry>> readDataFolder(const std::string& folder) {
  std::vector<std::vector<Entry>> files(24);
  for (int k = 1; k <= 23; ++k) {
    DataFile file(dataFilePath(folder, k));
    file.open();
    Text entryKey;
    std::array<Text, 11> entryColumn;
    while (!file.atEnd()) {
      file.read(entryKey, entryColumn);
      Entry e;
      e[0] = toUtf8(entryKey);
      for (size_t i = 1; i < 11; ++i) e[i] = toUtf8(entryColumn[i]);
      files[static_cast<size_t>(k)].push_back(e);
    }
  }
  return files;
}

std::vector<Entry> entriesOf(const std::vector<std::vector<Entry>>& files, const std::string& key) {
  std::vector<Entry> found;
  int k = dataFileFor(fromUtf8(key));
  if (k == 0) return found;
  for (const Entry& e : files[static_cast<size_t>(k)]) {
    if (e[0] == key) found.push_back(e);
  }
  return found;
}

void writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr) << path;
  for (const auto& [name, bytes] : files) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0) << name;
  }
  ASSERT_EQ(zip_close(archive), 0) << path;
}

}  // namespace zumaro::testing
