#include "tools/mkdat/folder_changes.h"

#include <fstream>

#include "lookup/data_file.h"
#include "tools/mkdat/data_file_text.h"

namespace zumaro::mkdat {
namespace {

// Fields never hold a double quote (makeDataFileTexts refuses one), so an
// entry "a","b",... splits at each "," without decoding its bytes.
constexpr size_t kWrittenFields = 6;  // key, prefecture, city, town area, building, company

void addEntry(const std::string& line, FolderEntries& entries) {
  if (line.size() < 2 || line.front() != '"') return;
  size_t end = 1;
  for (size_t field = 0; field < kWrittenFields && end != std::string::npos; ++field) {
    end = line.find("\",\"", end);
    if (field == 0 && end != std::string::npos) entries.codes.insert(line.substr(1, end - 1));
    if (end != std::string::npos) end += 3;
  }
  entries.addresses.insert(end == std::string::npos ? line : line.substr(0, end));
}

int64_t missingFrom(const std::unordered_set<std::string>& from, const std::unordered_set<std::string>& in) {
  int64_t n = 0;
  for (const std::string& s : from) n += in.count(s) == 0 ? 1 : 0;
  return n;
}

}  // namespace

FolderEntries readFolderEntries(const std::string& folder) {
  FolderEntries entries;
  for (int k = 1; k <= kDataFiles; ++k) {
    std::ifstream in(dataFilePath(folder, k), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      addEntry(line, entries);
    }
  }
  return entries;
}

FolderChanges compareEntries(const FolderEntries& before, const FolderEntries& after) {
  FolderChanges c;
  c.codesAdded = missingFrom(after.codes, before.codes);
  c.codesRemoved = missingFrom(before.codes, after.codes);
  c.addressesAdded = missingFrom(after.addresses, before.addresses);
  c.addressesRemoved = missingFrom(before.addresses, after.addresses);
  return c;
}

}  // namespace zumaro::mkdat
