#include "address/entry_application.h"

#include <initializer_list>

#include "address/string_conversion.h"

namespace zumaro {

namespace {

// Joined in the slot itself, whose storage the record before left large
// enough: no text is made only to be copied.
void writeJoined(ConversionState& s, int position, std::initializer_list<TextView> parts) {
  Text* slot = slotToChange(s, position);
  if (slot == nullptr) return;
  slot->clear();
  for (TextView part : parts) slot->append(part);
}

}  // namespace

void writeAddress(ConversionState& s, const EntryView& e, const Text& remainder) {
  const Settings& set = s.settings;
  if (set.posken == set.poscity) {
    writeJoined(s, set.poscity, {e[1], e[2], e[3], remainder});
  } else {
    writeJoined(s, set.posken, {e[1]});
    writeJoined(s, set.poscity, {e[2], e[3], remainder});
  }
}

void applyBusinessEntry(ConversionState& s, const EntryView& e) {
  setSlot(s, s.settings.posco, Text(e[5]));
  setSlot(s, s.settings.posbil, Text(e[4]));
  writeAddress(s, e, Text());
}

void writeCompany(ConversionState& s, const EntryView& e) {
  if (e[10].empty() && !s.recco.empty()) setSlot(s, s.settings.posco, toFullWidth(s.recco));
}

void convertFurtherFields(ConversionState& s) {
  const Settings& set = s.settings;
  for (size_t k = 1; k <= kFurtherPairs; ++k) {
    int position = set.posetc[k];
    if (Text* field = position != 0 ? slotToChange(s, position) : nullptr) convertInPlace(*field, set.optetc[k]);
  }
}

}  // namespace zumaro
