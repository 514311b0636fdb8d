#include "address/classic_comparison.h"

#include "address/address_work.h"
#include "address/entry_application.h"
#include "address/town_suffix.h"

namespace zumaro {
namespace {

void measure(const ConversionState& s, AddressWork& w) {
  w.prefectureReadingLength = len(s.entryColumn[6]);
  w.cityReadingLength = len(s.entryColumn[7]);
  w.townReadingLength = len(s.entryColumn[8]);
  w.buildingReadingLength = len(s.entryColumn[9]);
  w.cityFieldLength = len(s.cityField);
}

bool sharedPrefectureField(const Settings& set) { return set.prefecturePosition == set.cityPosition; }

// Whether `text` begins with a & b & c, without building the key.
bool beginsWithKey(TextView text, TextView a, TextView b, TextView c) {
  if (text.size() < a.size() + b.size() + c.size()) return false;
  return text.substr(0, a.size()) == a && text.substr(a.size(), b.size()) == b &&
         text.substr(a.size() + b.size(), c.size()) == c;
}

// Runs before the comparison; what it writes stays when the comparison fails.
void writeBuilding(ConversionState& s, AddressWork& w) {
  const int buildingPosition = s.settings.buildingPosition;
  if (w.buildingReadingLength == 0) {
    if (!s.buildingField.empty()) writeFullWidth(s, buildingPosition, s.buildingField);
    return;
  }
  w.scratchLength = len(s.buildingField);
  w.restStart = w.scratchLength - w.buildingReadingLength + 1;
  // A start before the text takes no probe: the entry's building alone.
  bool floorRead = w.restStart >= 1 && midView(s.cityField, w.restStart, 2) == u"ｶｲ";
  setSlot(s, buildingPosition, floorRead ? s.entryColumn[4] + u"階" : s.entryColumn[4]);
}

}  // namespace

void compareAndApplyEntry(ConversionState& s) {
  const Settings& set = s.settings;
  // Each entry is compared with the record's own city text, not with the cuts
  // the suffix normalisation made for an earlier entry of the same key.
  s.cityField = s.cityFieldAsRead;
  AddressWork w;
  measure(s, w);

  if (s.prefectureField.empty()) {
    s.prefectureField = s.entryColumn[6];
    setSlot(s, set.prefecturePosition, s.entryColumn[6]);
  }

  ++s.match.entriesSeen;
  if (!s.entryColumn[5].empty()) {
    applyBusinessEntry(s, viewOf(s.entryColumn));
    s.match.hasBusiness = true;
    s.match.business = s.entryColumn;
    s.entryApplied = true;
    convertFurtherFields(s);
    return;
  }

  writeBuilding(s, w);

  if (w.cityReadingLength != 0 && w.cityFieldLength != 0) {
    chou(s, w);
    machi(s, w);
  }
  measure(s, w);

  // The key is the readings one after the other; the record's city text
  // must begin with it (its head of the key's length equals the key).
  const bool shared = sharedPrefectureField(set);
  const int keyLength = shared ? w.prefectureReadingLength + w.cityReadingLength + w.townReadingLength
                               : w.cityReadingLength + w.townReadingLength;
  if (!beginsWithKey(s.cityField, shared ? s.entryColumn[6] : TextView(), s.entryColumn[7], s.entryColumn[8])) return;

  writeAddress(s, viewOf(s.entryColumn), midView(s.cityField, keyLength + 1, w.cityFieldLength - keyLength));
  writeCompany(s, viewOf(s.entryColumn));
  s.entryApplied = true;
  convertFurtherFields(s);
}

}  // namespace zumaro
