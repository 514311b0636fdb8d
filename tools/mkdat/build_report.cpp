#include "tools/mkdat/build_report.h"

#include "lookup/data_file.h"
#include "lookup/range_table.h"

namespace zumaro::mkdat {
namespace {

void line(std::FILE* out, const char* label, int64_t value, const std::string& note = "") {
  std::fprintf(out, "  %-28s %8lld%s%s\n", label, static_cast<long long>(value), note.empty() ? "" : "  ",
               note.c_str());
}

void printEntriesPerFile(std::FILE* out, const BuildSummary& s) {
  std::fprintf(out, "  entries per data file:\n");
  for (int k = 1; k <= kDataFiles; ++k) {
    const PostalRange& range = postalRange(k);
    std::fprintf(out, "    %s %8lld   %s-%s\n", dataFilePath("", k).c_str(),
                 static_cast<long long>(s.entries[static_cast<size_t>(k)]), toUtf8(range.lower).c_str(),
                 toUtf8(range.upper).c_str());
  }
  line(out, "entries in all", s.totalEntries);
}

}  // namespace

void printSummary(std::FILE* out, const std::string& folder, const BuildSummary& s) {
  std::fprintf(out, "zumaro-mkdat: wrote %s/01.dat .. 23.dat in %.1f s\n", folder.c_str(), s.seconds);
  line(out, "KEN_ALL rows read", s.addressRows);
  line(out, "rows joined", s.rowsJoined, "(town areas split over several rows)");
  line(out, "notes removed", s.address.notesRemoved, "(parenthesised, from written town areas)");
  line(out, "town areas written empty", s.address.townAreasNamingNone, "(以下に掲載がない場合 and the like)");
  line(out, "high-rise floor rows", s.address.highRiseRows);
  if (s.address.highRiseWithoutTown > 0)
    line(out, "  without a town area apart", s.address.highRiseWithoutTown, "(building holds the floor alone)");
  line(out, "JIGYOSYO rows read", s.businessRows);
  if (s.businessWithoutReadings > 0)
    line(out, "  municipality not in KEN_ALL", s.businessWithoutReadings, "(no prefecture and city readings)");
  if (s.duplicatesDropped > 0) line(out, "duplicate entries dropped", s.duplicatesDropped);
  printEntriesPerFile(out, s);
}

void BuildProgressLine::update(const BuildProgress& p) {
  if (!line_.due()) return;
  std::string text = std::string(p.what) + ": " + std::to_string(p.count);
  if (p.fraction >= 0) {
    char percent[16];
    std::snprintf(percent, sizeof percent, "  %5.1f%%", 100.0 * p.fraction);
    text += percent;
  }
  line_.show(text);
}

}  // namespace zumaro::mkdat
