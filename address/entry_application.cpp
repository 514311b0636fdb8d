#include "address/entry_application.h"

#include <initializer_list>

#include "address/block_notation.h"
#include "address/string_conversion.h"

namespace zumaro {

namespace {

// Joined in the slot itself, whose storage the record before left large
// enough: no text is made only to be copied.
Text* writeJoined(ConversionState& s, int position, std::initializer_list<TextView> parts) {
  Text* slot = slotToChange(s, position);
  if (slot == nullptr) return nullptr;
  slot->clear();
  for (TextView part : parts) slot->append(part);
  return slot;
}

// The town area goes where the record wrote it: into the city slot when the
// agreement ended within the city field's text, the town field then written
// as it was; else into the town slot, followed by the rest.
void writeCityAndTown(ConversionState& s, const EntryView& e, TextView rest, int used) {
  const Settings& set = s.settings;
  const bool shared = set.prefecturePosition == set.cityPosition;
  if (!shared) writeJoined(s, set.prefecturePosition, {e[1]});
  const TextView prefecture = shared ? e[1] : TextView();
  const TextView text = s.cityFieldAsRead;
  const size_t cityLength = s.townStart == 0 ? text.size() : static_cast<size_t>(s.townStart) - 1;
  if (used == kAppliedOnTheCode || static_cast<size_t>(used) > cityLength) {
    writeJoined(s, set.cityPosition, {prefecture, e[2]});
    if (Text* town = writeJoined(s, set.townPosition, {e[3]})) appendWrittenRemainder(*town, rest, s.blockStyle);
    return;
  }
  // `rest` ends the text; what of it lies before the town field is the city field's.
  const size_t restStart = text.size() - rest.size();
  const TextView cityRest = rest.substr(0, cityLength > restStart ? cityLength - restStart : 0);
  if (Text* city = writeJoined(s, set.cityPosition, {prefecture, e[2], e[3]}))
    appendWrittenRemainder(*city, cityRest, s.blockStyle);
  if (s.townStart == 0) return;  // an empty town field stays as it was
  if (Text* town = writeJoined(s, set.townPosition, {}))
    appendWrittenRemainder(*town, text.substr(static_cast<size_t>(s.townStart)), s.blockStyle);
}

}  // namespace

void writeAddress(ConversionState& s, const EntryView& e, TextView rest, int used) {
  const Settings& set = s.settings;
  if (set.townPosition != 0) {
    writeCityAndTown(s, e, rest, used);
    return;
  }
  Text* city = nullptr;
  if (set.prefecturePosition == set.cityPosition) {
    city = writeJoined(s, set.cityPosition, {e[1], e[2], e[3]});
  } else {
    writeJoined(s, set.prefecturePosition, {e[1]});
    city = writeJoined(s, set.cityPosition, {e[2], e[3]});
  }
  if (city != nullptr) appendWrittenRemainder(*city, rest, s.blockStyle);
}

void writeFullWidth(ConversionState& s, int position, TextView text) {
  if (Text* slot = slotToChange(s, position)) {
    slot->clear();
    appendFullWidth(*slot, text);
  }
}

void applyBusinessEntry(ConversionState& s, const EntryView& e) {
  writeJoined(s, s.settings.companyPosition, {e[5]});
  writeJoined(s, s.settings.buildingPosition, {e[4]});
  writeAddress(s, e, TextView());
}

void writeCompany(ConversionState& s, const EntryView& e) {
  if (e[10].empty() && !s.companyField.empty()) writeFullWidth(s, s.settings.companyPosition, s.companyField);
}

void convertFurtherFields(ConversionState& s) {
  const Settings& set = s.settings;
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    int position = set.positionOfFurtherField[k];
    if (Text* field = position != 0 ? slotToChange(s, position) : nullptr)
      convertInPlace(*field, set.conversionOfFurtherField[k]);
  }
}

}  // namespace zumaro
