#include "address/city_parts.h"

namespace zumaro {
namespace {

constexpr TextView kGunReading = u"ｸﾞﾝ";
constexpr TextView kCityReading = u"ｼ";

// 郡 inside a name (吾妻郡長野原町), not a city named after one (郡山市,
// 蒲郡市, 大和郡山市): the rest is a town or village.
size_t gunEnd(TextView written) {
  const size_t at = written.find(u'郡');
  if (at == TextView::npos || at == 0 || at + 1 >= written.size()) return 0;
  const TextView rest = written.substr(at + 1);
  return rest.back() == u'町' || rest.back() == u'村' ? at + 1 : 0;
}

// Only a designated city has wards with a city before them (堺市美原区);
// Tokyo's wards stand alone (千代田区).
size_t designatedCityEnd(TextView written) {
  const size_t at = written.find(u'市');
  if (at == TextView::npos || at == 0 || at + 2 >= written.size() || written.back() != u'区') return 0;
  return at + 1;
}

}  // namespace

CityLead cityLead(TextView written, TextView reading) {
  CityLead lead;
  size_t end = gunEnd(written);
  TextView sound = kGunReading;
  if (end == 0) {
    end = designatedCityEnd(written);
    sound = kCityReading;
  }
  if (end == 0) return lead;
  // The rest is read by at least one kana: the lead never takes it all.
  for (size_t at = reading.find(sound); at != TextView::npos && lead.endCount < CityLead::kMostEnds;
       at = reading.find(sound, at + 1)) {
    const size_t leadEnd = at + sound.size();
    const bool marked = leadEnd < reading.size() && (reading[leadEnd] == u'ﾞ' || reading[leadEnd] == u'ﾟ');
    if (at > 0 && leadEnd < reading.size() && !marked) lead.readingEnds[lead.endCount++] = leadEnd;
  }
  if (lead.endCount == 0) return lead;
  lead.written = written.substr(0, end);
  lead.rest = written.substr(end);
  return lead;
}

}  // namespace zumaro
