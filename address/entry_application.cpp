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

}  // namespace

void writeAddress(ConversionState& s, const EntryView& e, TextView rest) {
  const Settings& set = s.settings;
  Text* city = nullptr;
  if (set.posken == set.poscity) {
    city = writeJoined(s, set.poscity, {e[1], e[2], e[3]});
  } else {
    writeJoined(s, set.posken, {e[1]});
    city = writeJoined(s, set.poscity, {e[2], e[3]});
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
  writeJoined(s, s.settings.posco, {e[5]});
  writeJoined(s, s.settings.posbil, {e[4]});
  writeAddress(s, e, TextView());
}

void writeCompany(ConversionState& s, const EntryView& e) {
  if (e[10].empty() && !s.recco.empty()) writeFullWidth(s, s.settings.posco, s.recco);
}

void convertFurtherFields(ConversionState& s) {
  const Settings& set = s.settings;
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    int position = set.posetc[k];
    if (Text* field = position != 0 ? slotToChange(s, position) : nullptr) convertInPlace(*field, set.optetc[k]);
  }
}

}  // namespace zumaro
