#include "tools/mkdat/build_report.h"

#include "lookup/data_file.h"
#include "lookup/range_table.h"

namespace zumaro::mkdat {
namespace {

void line(std::FILE* out, const char* label, int64_t value, const char* note = "") {
  std::fprintf(out, "  %s: %lld%s\n", label, static_cast<long long>(value), note);
}

void printEntriesPerFile(std::FILE* out, const BuildSummary& s) {
  std::fprintf(out, "  データファイルごとの件数:\n");
  for (int k = 1; k <= kDataFiles; ++k) {
    const PostalRange& range = postalRange(k);
    std::fprintf(out, "    %s %8lld   %s-%s\n", dataFilePath("", k).c_str(),
                 static_cast<long long>(s.entries[static_cast<size_t>(k)]), toUtf8(range.lower).c_str(),
                 toUtf8(range.upper).c_str());
  }
  line(out, "合計", s.totalEntries, "件");
}

}  // namespace

void printSummary(std::FILE* out, const std::string& folder, const BuildSummary& s) {
  std::fprintf(out, "zumaro-mkdat: %s に 01.dat .. 23.dat と zumaro-data.txt を書き込みました（%.1f秒）。\n",
               folder.c_str(), s.seconds);
  std::fprintf(out, "  データの日付: %s\n", s.dataDate.c_str());
  line(out, "KEN_ALLの読み込み行数", s.addressRows);
  line(out, "結合した行数", s.rowsJoined, "（複数の行に分かれた町域）");
  line(out, "取り除いた注記", s.address.notesRemoved, "（町域の括弧書き）");
  line(out, "空にした町域", s.address.townAreasNamingNone, "（以下に掲載がない場合など）");
  line(out, "高層ビルの階の行", s.address.highRiseRows);
  if (s.address.highRiseWithoutTown > 0)
    line(out, "  うち町域のないもの", s.address.highRiseWithoutTown, "（ビル名に階だけ）");
  line(out, "JIGYOSYOの読み込み行数", s.businessRows);
  if (s.businessWithoutReadings > 0)
    line(out, "  KEN_ALLにない市区町村", s.businessWithoutReadings, "（都道府県と市区町村の読みなし）");
  if (s.duplicatesDropped > 0) line(out, "重複して除いたデータ", s.duplicatesDropped);
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
