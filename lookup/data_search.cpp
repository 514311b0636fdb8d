#include "lookup/data_search.h"

#include "lookup/range_table.h"

namespace zumaro {

ScanLookup::ScanLookup(const std::string& folder) {
  for (int k = 1; k <= kDataFileCount; ++k)
    files_[static_cast<size_t>(k)] = std::make_unique<DataFile>(dataFilePath(folder, k));
}

void ScanLookup::open() {
  for (int k = 1; k <= kDataFileCount; ++k) files_[static_cast<size_t>(k)]->open();
}

void ScanLookup::close() {
  for (int k = 1; k <= kDataFileCount; ++k) files_[static_cast<size_t>(k)]->close();
}

void ScanLookup::search(ConversionState& s, int k, EntryVisitor& visitor) {
  DataFile& file = *files_[static_cast<size_t>(k)];
  Text& lastKeyOfFile = s.lastKeyOfFile[static_cast<size_t>(k)];
  if (!textGreater(s.postalKey, lastKeyOfFile)) {
    s.entryKey = u"0";
    file.rewind();
  }
  bool readAny = false;
  while (!textGreater(s.entryKey, s.postalKey) && !file.atEnd()) {
    file.read(s.entryKey, s.entryColumn);
    readAny = true;
    if (s.entryKey == s.postalKey) visitor.visit(s, viewOf(s.entryColumn), false, false);
  }
  // A search that read nothing keeps the last key read, so that a later key
  // not greater than it still starts the file again.
  if (readAny) lastKeyOfFile = s.entryKey;
}

void searchData(ConversionState& s, DataLookup& lookup, EntryVisitor& visitor) {
  s.entryKey = u"0";
  int k = dataFileFor(s.postalKey);
  if (k != 0) lookup.search(s, k, visitor);
}

}  // namespace zumaro
