#pragma once
// What a new data folder changes against the one it replaces, as a user asks
// it: which postal codes and which written addresses came and went.
#include <cstdint>
#include <string>
#include <unordered_set>

namespace zumaro::mkdat {

struct FolderEntries {
  std::unordered_set<std::string> codes;
  // Postal code with the written prefecture, city, town area, building and
  // company: readings alone changing is no new address.
  std::unordered_set<std::string> addresses;
};

// The entries of 01.dat .. 23.dat in `folder`; a file missing holds none.
FolderEntries readFolderEntries(const std::string& folder);

struct FolderChanges {
  int64_t codesAdded = 0;
  int64_t codesRemoved = 0;
  int64_t addressesAdded = 0;
  int64_t addressesRemoved = 0;
};

FolderChanges compareEntries(const FolderEntries& before, const FolderEntries& after);

}  // namespace zumaro::mkdat
