#include "tools/mkdat/utf8_edition_maker.h"

#include <unicode/translit.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "tools/mkdat/csv_lines.h"
#include "tools/mkdat/source_file.h"

namespace zumaro::testing {
namespace {

using mkdat::CsvLines;
using mkdat::CsvRow;
using mkdat::SourceFile;

constexpr size_t kPostalCode = 2;
constexpr size_t kFirstReading = 3, kLastReading = 5;
constexpr size_t kFirstWritten = 6, kLastWritten = 8;
constexpr size_t kTown = 8, kTownReading = 5;

Text fullWidth(const Text& halfWidth) {
  static std::unique_ptr<icu::Transliterator> widen = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(
        icu::Transliterator::createInstance("Halfwidth-Fullwidth", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) throw std::runtime_error("no Halfwidth-Fullwidth transliterator");
    return t;
  }();
  icu::UnicodeString text(reinterpret_cast<const UChar*>(halfWidth.data()), static_cast<int32_t>(halfWidth.size()));
  widen->transliterate(text);
  return Text(reinterpret_cast<const char16_t*>(text.getBuffer()), static_cast<size_t>(text.length()));
}

Text jisForms(Text written) {
  std::replace(written.begin(), written.end(), u'－', u'\u2212');
  std::replace(written.begin(), written.end(), u'～', u'\u301C');
  return written;
}

bool opensNote(const Text& town) {
  return std::count(town.begin(), town.end(), u'（') > std::count(town.begin(), town.end(), u'）');
}

// A town area whose note opens on one row and closes on a later row of the
// same postal code becomes one row; a reading repeated on every row is taken
// once, a reading split over the rows is joined.
std::vector<CsvRow> joinSplitRows(std::vector<CsvRow> rows) {
  std::vector<CsvRow> joined;
  for (size_t i = 0; i < rows.size(); ++i) {
    CsvRow row = rows[i];
    std::vector<Text> readings{row.fields[kTownReading]};
    while (opensNote(row.fields[kTown]) && i + 1 < rows.size() &&
           rows[i + 1].fields[kPostalCode] == row.fields[kPostalCode]) {
      ++i;
      row.fields[kTown] += rows[i].fields[kTown];
      readings.push_back(rows[i].fields[kTownReading]);
    }
    if (std::any_of(readings.begin(), readings.end(), [&](const Text& r) { return r != readings[0]; })) {
      row.fields[kTownReading].clear();
      for (const Text& r : readings) row.fields[kTownReading] += r;
    }
    joined.push_back(std::move(row));
  }
  return joined;
}

std::string csvLine(const CsvRow& row) {
  std::string line;
  for (size_t i = 0; i < row.fields.size(); ++i) {
    if (i > 0) line += ',';
    const bool quoted = i >= 1 && i <= kTown;
    if (quoted) line += '"';
    line += toUtf8(row.fields[i]);
    if (quoted) line += '"';
  }
  return line + "\r\n";
}

}  // namespace

std::string makeUtf8Edition(const std::string& cp932KenAll) {
  SourceFile source("KEN_ALL.CSV", cp932KenAll);
  CsvLines lines(source);
  std::vector<CsvRow> rows;
  for (CsvRow row; lines.next(row);) rows.push_back(row);
  std::string utf8;
  for (CsvRow& row : joinSplitRows(std::move(rows))) {
    for (size_t i = kFirstReading; i <= kLastReading; ++i) row.fields[i] = jisForms(fullWidth(row.fields[i]));
    for (size_t i = kFirstWritten; i <= kLastWritten; ++i) row.fields[i] = jisForms(row.fields[i]);
    utf8 += csvLine(row);
  }
  return utf8;
}

}  // namespace zumaro::testing
