#pragma once
// The manifest zumaro-data.txt of a built folder: the sources with their
// dates, sizes and digests, the entries of each file, and when and by which
// version it was built.
#include <cstdint>
#include <vector>

#include "run/data_manifest.h"
#include "tools/mkdat/data_file_text.h"
#include "tools/mkdat/source_file.h"

namespace zumaro::mkdat {

ManifestSource manifestSource(const SourceFile& source, const char* role, int64_t rows);

// The data date is the newest date of the sources' CSV files: the day Japan
// Post produced the data, not the day they were downloaded or built.
DataManifest makeManifest(std::vector<ManifestSource> sources, const DataFileTexts& texts);

}  // namespace zumaro::mkdat
