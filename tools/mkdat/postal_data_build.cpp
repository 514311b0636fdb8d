#include "tools/mkdat/postal_data_build.h"

#include <chrono>
#include <vector>

#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/build_manifest.h"
#include "tools/mkdat/business_entries.h"
#include "tools/mkdat/csv_lines.h"
#include "tools/mkdat/folder_publish.h"
#include "tools/mkdat/small_kana.h"
#include "tools/mkdat/source_file.h"
#include "tools/mkdat/split_town_areas.h"
#include "tools/mkdat/utf8_edition.h"

namespace zumaro::mkdat {
namespace {

constexpr int64_t kProgressEvery = 4096;

// Reads every row of `source` through `toRow`, reporting progress.
template <typename Row, typename ToRow>
std::vector<Row> readRows(const SourceFile& source, const char* what, ToRow toRow, const BuildOptions& options) {
  std::vector<Row> rows;
  CsvLines lines(source);
  CsvRow csv;
  while (lines.next(csv)) {
    Row row = toRow(csv, source.name);
    if (source.utf8) toCodePage932Form(row);
    rows.push_back(std::move(row));
    if (options.onProgress && rows.size() % kProgressEvery == 0) {
      options.onProgress({what, static_cast<int64_t>(rows.size()), lines.fractionRead()});
    }
  }
  // An empty file would make an empty data folder that matches nothing.
  if (rows.empty()) throw BuildFailure(source.name + " に行がありません。");
  return rows;
}

void foldReadings(std::vector<DataEntry>& entries) {
  for (DataEntry& e : entries) {
    for (int field : {kPrefectureReading, kCityReading, kTownReading, kBuildingReading, kCompanyReading}) {
      foldSmallKana(e.fields[static_cast<size_t>(field)]);
    }
  }
}

void append(std::vector<DataEntry>& to, std::vector<DataEntry>&& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

}  // namespace

BuildSummary buildDataFolder(const BuildOptions& options) {
  auto start = std::chrono::steady_clock::now();
  BuildSummary summary;

  SourceFile kenAll = loadSourceFile(options.kenAll);
  std::vector<AddressRow> addressRows = readRows<AddressRow>(kenAll, "KEN_ALLの行", toAddressRow, options);
  summary.addressRows = static_cast<int64_t>(addressRows.size());
  summary.rowsJoined = joinSplitTownAreas(addressRows);
  std::vector<DataEntry> entries = makeAddressEntries(addressRows, kenAll.name, summary.address);

  std::vector<ManifestSource> sources{manifestSource(kenAll, "KEN_ALL", summary.addressRows)};
  SourceFile jigyosyo;
  if (!options.jigyosyo.empty()) {
    jigyosyo = loadSourceFile(options.jigyosyo);
    std::vector<BusinessRow> businessRows = readRows<BusinessRow>(jigyosyo, "JIGYOSYOの行", toBusinessRow, options);
    summary.businessRows = static_cast<int64_t>(businessRows.size());
    sources.push_back(manifestSource(jigyosyo, "JIGYOSYO", summary.businessRows));
    append(entries, makeBusinessEntries(businessRows, jigyosyo.name, municipalityReadings(addressRows),
                                        summary.businessWithoutReadings));
  }

  if (!options.keepSmallKana) foldReadings(entries);
  if (options.onProgress) options.onProgress({"並べ替えて書き込むデータ", static_cast<int64_t>(entries.size()), -1.0});
  DataFileTexts texts = makeDataFileTexts(entries);
  DataManifest manifest = makeManifest(std::move(sources), texts);
  summary.dataDate = manifest.dataDate;
  publishDataFolder(options.output, texts, manifestText(manifest));

  summary.duplicatesDropped = texts.duplicatesDropped;
  summary.entries = texts.entries;
  for (int64_t n : texts.entries) summary.totalEntries += n;
  summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return summary;
}

}  // namespace zumaro::mkdat
