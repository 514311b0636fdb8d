#include "tools/mkdat/high_rise.h"

#include "tools/mkdat/town_notes.h"

namespace zumaro::mkdat {
namespace {

constexpr TextView kUnknownFloor = u"地階・階層不明";

bool isFullWidthDigit(char16_t c) { return c >= u'０' && c <= u'９'; }

// "１０階" or the unknown floor; the floor text goes to `floor`.
bool isFloorNote(TextView note, Text& floor) {
  if (note == kUnknownFloor) {
    floor.clear();
    return true;
  }
  if (note.size() < 2 || note.back() != u'階') return false;
  for (size_t i = 0; i + 1 < note.size(); ++i) {
    if (!isFullWidthDigit(note[i])) return false;
  }
  floor = Text(note);
  return true;
}

// Splits off a final "(…)" group of `text`; its content goes to `note`.
bool takeLastGroup(Text& text, char16_t open, char16_t close, Text& note) {
  if (text.empty() || text.back() != close) return false;
  size_t start = text.rfind(open);
  if (start == Text::npos) return false;
  note = text.substr(start + 1, text.size() - start - 2);
  text.resize(start);
  return true;
}

}  // namespace

std::optional<HighRiseRow> parseHighRise(TextView town, TextView reading) {
  HighRiseRow row;
  row.place = Text(town);
  Text note;
  if (!takeLastGroup(row.place, u'（', u'）', note) || !isFloorNote(note, row.floor)) return std::nullopt;
  row.placeReading = Text(reading);
  Text readingNote;
  if (takeLastGroup(row.placeReading, u'(', u')', readingNote) && !row.floor.empty()) {
    row.floorReading = std::move(readingNote);
  }
  removeNotes(row.place, row.placeReading);
  return row;
}

void TownAreaIndex::add(const Text& municipality, const Text& town, const Text& reading) {
  if (town.empty()) return;
  std::vector<TownArea>& known = towns_[municipality];
  for (const TownArea& t : known) {
    if (t.written == town && t.reading == reading) return;
  }
  known.push_back({town, reading});
}

const TownArea* TownAreaIndex::townOf(const Text& municipality, TextView place, TextView placeReading) const {
  auto found = towns_.find(municipality);
  if (found == towns_.end()) return nullptr;
  const TownArea* best = nullptr;
  for (const TownArea& t : found->second) {
    if (t.written.size() >= place.size() || !place.starts_with(t.written)) continue;
    if (!placeReading.starts_with(t.reading)) continue;
    if (!best || t.written.size() > best->written.size()) best = &t;
  }
  return best;
}

}  // namespace zumaro::mkdat
