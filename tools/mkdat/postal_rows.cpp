#include "tools/mkdat/postal_rows.h"

#include "lookup/range_table.h"
#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {
namespace {

std::string where(const std::string& file, const CsvRow& row) {
  return file + " の" + std::to_string(row.line) + "行目";
}

void checkColumns(const CsvRow& row, size_t expected, const std::string& file) {
  if (row.fields.size() == expected) return;
  throw BuildFailure(where(file, row) + "の項目数が" + std::to_string(row.fields.size()) + "個です（" +
                     std::to_string(expected) + "個のはずです）。");
}

void checkPostalCode(const Text& code, const CsvRow& row, const std::string& file) {
  bool digits = code.size() == 7;
  for (char16_t c : code) digits = digits && c >= u'0' && c <= u'9';
  if (digits && dataFileFor(code) != 0) return;
  throw BuildFailure(where(file, row) + "の郵便番号「" + toUtf8(code) +
                     "」が0010000～9999999の7桁の数字ではありません。");
}

}  // namespace

AddressRow toAddressRow(CsvRow& row, const std::string& file) {
  checkColumns(row, kAddressColumns, file);
  auto& f = row.fields;
  AddressRow a;
  a.line = row.line;
  a.municipality = std::move(f[0]);
  a.postalCode = std::move(f[2]);
  a.prefectureReading = std::move(f[3]);
  a.cityReading = std::move(f[4]);
  a.townReading = std::move(f[5]);
  a.prefecture = std::move(f[6]);
  a.city = std::move(f[7]);
  a.town = std::move(f[8]);
  checkPostalCode(a.postalCode, row, file);
  return a;
}

BusinessRow toBusinessRow(CsvRow& row, const std::string& file) {
  checkColumns(row, kBusinessColumns, file);
  auto& f = row.fields;
  BusinessRow b;
  b.line = row.line;
  b.municipality = std::move(f[0]);
  b.nameReading = std::move(f[1]);
  b.name = std::move(f[2]);
  b.prefecture = std::move(f[3]);
  b.city = std::move(f[4]);
  b.town = std::move(f[5]);
  b.block = std::move(f[6]);
  b.postalCode = std::move(f[7]);
  checkPostalCode(b.postalCode, row, file);
  return b;
}

}  // namespace zumaro::mkdat
