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
  s.reccityRead = s.reccity;
  s.recbil = slot(s, set.posbil);
  takeKey(slot(s, set.posno), s.keyno);
  s.recco = slot(s, set.posco);
}

}  // namespace zumaro
