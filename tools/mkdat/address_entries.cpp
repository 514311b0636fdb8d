#include "tools/mkdat/address_entries.h"

#include <optional>

#include "tools/mkdat/high_rise.h"
#include "tools/mkdat/town_notes.h"

namespace zumaro::mkdat {
namespace {

DataEntry baseEntry(const AddressRow& row, const std::string& file) {
  DataEntry e;
  e.fields[kKey] = row.postalCode;
  e.fields[kPrefecture] = row.prefecture;
  e.fields[kCity] = row.city;
  e.fields[kPrefectureReading] = row.prefectureReading;
  e.fields[kCityReading] = row.cityReading;
  e.file = &file;
  e.line = row.line;
  return e;
}

// The town area as a person writes it: no notes, empty where it names none.
TownArea plainTownArea(const AddressRow& row, AddressEntryCounts& counts) {
  if (namesNoTownArea(row.town, row.city)) {
    ++counts.townAreasNamingNone;
    return {};
  }
  TownArea town{row.town, row.townReading};
  counts.notesRemoved += removeNotes(town.written, town.reading);
  return town;
}

// Town area on one side, building name with its floor on the other. When no
// town area of the municipality begins the name, the whole name stays the
// town area and the building holds the floor alone.
void splitHighRise(const HighRiseRow& hr, const TownArea* town, DataEntry& e) {
  size_t townLength = town ? town->written.size() : hr.place.size();
  size_t readingLength = town ? town->reading.size() : hr.placeReading.size();
  e.fields[kTown] = hr.place.substr(0, townLength);
  e.fields[kTownReading] = hr.placeReading.substr(0, readingLength);
  e.fields[kBuilding] = hr.place.substr(townLength) + hr.floor;
  e.fields[kBuildingReading] = hr.placeReading.substr(readingLength) + hr.floorReading;
}

}  // namespace

std::vector<DataEntry> makeAddressEntries(const std::vector<AddressRow>& rows, const std::string& file,
                                          AddressEntryCounts& counts) {
  std::vector<std::optional<HighRiseRow>> highRise(rows.size());
  std::vector<DataEntry> entries(rows.size());
  TownAreaIndex towns;
  for (size_t i = 0; i < rows.size(); ++i) {
    entries[i] = baseEntry(rows[i], file);
    highRise[i] = parseHighRise(rows[i].town, rows[i].townReading);
    if (highRise[i]) continue;
    TownArea town = plainTownArea(rows[i], counts);
    towns.add(rows[i].municipality, town.written, town.reading);
    entries[i].fields[kTown] = std::move(town.written);
    entries[i].fields[kTownReading] = std::move(town.reading);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!highRise[i]) continue;
    ++counts.highRiseRows;
    const TownArea* town = towns.townOf(rows[i].municipality, highRise[i]->place, highRise[i]->placeReading);
    if (!town) ++counts.highRiseWithoutTown;
    splitHighRise(*highRise[i], town, entries[i]);
  }
  return entries;
}

}  // namespace zumaro::mkdat
