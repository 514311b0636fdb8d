#include "tools/mkdat/business_entries.h"

namespace zumaro::mkdat {

MunicipalityReadings municipalityReadings(const std::vector<AddressRow>& rows) {
  MunicipalityReadings readings;
  for (const AddressRow& row : rows) readings.try_emplace(row.municipality, row.prefectureReading, row.cityReading);
  return readings;
}

std::vector<DataEntry> makeBusinessEntries(const std::vector<BusinessRow>& rows, const std::string& file,
                                           const MunicipalityReadings& readings, int64_t& withoutReadings) {
  std::vector<DataEntry> entries;
  entries.reserve(rows.size());
  for (const BusinessRow& row : rows) {
    DataEntry e;
    e.file = &file;
    e.line = row.line;
    e.fields[kKey] = row.postalCode;
    e.fields[kPrefecture] = row.prefecture;
    e.fields[kCity] = row.city;
    e.fields[kTown] = row.town + row.block;
    e.fields[kCompany] = row.name;
    e.fields[kCompanyReading] = row.nameReading;
    auto found = readings.find(row.municipality);
    if (found != readings.end()) {
      e.fields[kPrefectureReading] = found->second.prefecture;
      e.fields[kCityReading] = found->second.city;
    } else {
      ++withoutReadings;
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace zumaro::mkdat
