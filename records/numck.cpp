#include "records/numck.h"

namespace zumaro {

void numck(ConversionState& s) {
  const Settings& set = s.settings;
  s.recken = slot(s, set.posken);
  s.reccity = slot(s, set.poscity);
  s.reccityRead = s.reccity;
  s.recbil = slot(s, set.posbil);
  s.keyno = slot(s, set.posno);
  s.recco = slot(s, set.posco);

  if (!s.keyno.empty() && s.keyno.front() == u'〒') s.keyno.erase(0, 1);
  if (s.keyno.size() >= 4 && (s.keyno[3] == u'-' || s.keyno[3] == u'ー')) s.keyno.erase(3, 1);
}

}  // namespace zumaro
