#include "address/adrck.h"

#include "address/address_work.h"
#include "address/entry_application.h"
#include "address/town_suffix.h"

namespace zumaro {
namespace {

void measure(const ConversionState& s, AddressWork& w) {
  w.lenken = len(s.dat[6]);
  w.lencity = len(s.dat[7]);
  w.lentown = len(s.dat[8]);
  w.lenbil = len(s.dat[9]);
  w.lenrec = len(s.reccity);
}

bool sharedPrefectureField(const Settings& set) { return set.posken == set.poscity; }

// Whether `text` begins with a & b & c, without building the key.
bool beginsWithKey(TextView text, TextView a, TextView b, TextView c) {
  if (text.size() < a.size() + b.size() + c.size()) return false;
  return text.substr(0, a.size()) == a && text.substr(a.size(), b.size()) == b &&
         text.substr(a.size() + b.size(), c.size()) == c;
}

// Runs before the comparison; what it writes stays when the comparison fails.
void writeBuilding(ConversionState& s, AddressWork& w) {
  const int posbil = s.settings.posbil;
  if (w.lenbil == 0) {
    if (!s.recbil.empty()) writeFullWidth(s, posbil, s.recbil);
    return;
  }
  w.lenwk = len(s.recbil);
  w.restlen = w.lenwk - w.lenbil + 1;
  // A start before the text takes no probe: the entry's building alone.
  bool floorRead = w.restlen >= 1 && midView(s.reccity, w.restlen, 2) == u"ｶｲ";
  setSlot(s, posbil, floorRead ? s.dat[4] + u"階" : s.dat[4]);
}

}  // namespace

void adrck(ConversionState& s) {
  const Settings& set = s.settings;
  // Each entry is compared with the record's own city text, not with the cuts
  // the suffix normalisation made for an earlier entry of the same key.
  s.reccity = s.reccityRead;
  AddressWork w;
  measure(s, w);

  if (s.recken.empty()) {
    s.recken = s.dat[6];
    setSlot(s, set.posken, s.dat[6]);
  }

  ++s.match.entriesSeen;
  if (!s.dat[5].empty()) {
    applyBusinessEntry(s, viewOf(s.dat));
    s.match.hasBusiness = true;
    s.match.business = s.dat;
    s.entryApplied = true;
    convertFurtherFields(s);
    return;
  }

  writeBuilding(s, w);

  if (w.lencity != 0 && w.lenrec != 0) {
    chou(s, w);
    machi(s, w);
  }
  measure(s, w);

  // The key is the readings one after the other; the record's city text
  // must begin with it (its head of the key's length equals the key).
  const bool shared = sharedPrefectureField(set);
  const int keylen = shared ? w.lenken + w.lencity + w.lentown : w.lencity + w.lentown;
  if (!beginsWithKey(s.reccity, shared ? s.dat[6] : TextView(), s.dat[7], s.dat[8])) return;

  writeAddress(s, viewOf(s.dat), midView(s.reccity, keylen + 1, w.lenrec - keylen));
  writeCompany(s, viewOf(s.dat));
  s.entryApplied = true;
  convertFurtherFields(s);
}

}  // namespace zumaro
