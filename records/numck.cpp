#include "records/numck.h"

namespace zumaro {
namespace {

// The key is put together in one piece rather than copied and then cut.
void takeKey(TextView code, Text& key) {
  if (!code.empty() && code.front() == u'〒') code.remove_prefix(1);
  if (code.size() >= 4 && (code[3] == u'-' || code[3] == u'ー')) {
    key.assign(code.data(), 3);
    key.append(code.substr(4));
    return;
  }
  key.assign(code);
}

}  // namespace

void numck(ConversionState& s) {
  const Settings& set = s.settings;
  s.recken = slot(s, set.posken);
  s.reccity = slot(s, set.poscity);
  s.townStart = 0;
  // The comparison walks city and town field as one text; the space between
  // them is passed over by its fold, and tells where the town field began.
  if (set.postown != 0) {
    const Text& town = slot(s, set.postown);
    if (!town.empty()) {
      s.reccity += u' ';
      s.townStart = static_cast<int>(s.reccity.size());
      s.reccity += town;
    }
  }
  s.reccityRead = s.reccity;
  s.recbil = slot(s, set.posbil);
  takeKey(slot(s, set.posno), s.keyno);
  s.recco = slot(s, set.posco);
}

}  // namespace zumaro
