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

void ScanLookup::serch(ConversionState& s, int k, EntryVisitor& visitor) {
  DataFile& file = *files_[static_cast<size_t>(k)];
  Text& lastno = s.lastno[static_cast<size_t>(k)];
  if (!textGreater(s.keyno, lastno)) {
    s.datno = u"0";
    file.rewind();
  }
  bool readAny = false;
  while (!textGreater(s.datno, s.keyno) && !file.atEnd()) {
    file.read(s.datno, s.dat);
    readAny = true;
    if (s.datno == s.keyno) visitor.visit(s, viewOf(s.dat), false, false);
  }
  // A search that read nothing keeps the last key read, so that a later key
  // not greater than it still starts the file again.
  if (readAny) lastno = s.datno;
}

void dbrearch(ConversionState& s, DataLookup& lookup, EntryVisitor& visitor) {
  s.datno = u"0";
  int k = dataFileFor(s.keyno);
  if (k != 0) lookup.serch(s, k, visitor);
}

}  // namespace zumaro
