#include "address/town_suffix.h"

namespace zumaro {
namespace {

constexpr char16_t kChou[] = u"ﾁﾖｳ";
constexpr char16_t kMachi[] = u"ﾏﾁ";

// `reading` is the entry's reading, `length` its length field, `prefix` the
// number of characters of reccity that stand before it.
void agreeSuffix(ConversionState& s, AddressWork& w, Text& reading, int& length, int prefix, bool emptyWholeMachi) {
  Text& reccity = s.reccity;
  Text tailstr;
  // The probes are seen in place: most entries end in neither reading, and
  // then nothing is copied.
  TextView suffix, recordSuffix;
  w.keylen = prefix + length;
  w.restlen = length - 2;
  if (w.restlen >= 1) suffix = midView(reading, w.restlen, 3);
  int probepos = w.keylen - 2;
  if (probepos >= 1) recordSuffix = midView(reccity, probepos, 3);

  if (suffix == kChou) {
    if (recordSuffix == kChou) return;
    if (length - 3 >= 1) reading = left(reading, length - 3);
    length = len(reading);
    w.keylen = prefix + length;
    w.lenwk = len(reccity);
    w.wkstr = left(reccity, w.keylen);
    w.keylen += 3;
    w.restlen = w.lenwk - w.keylen + 1;
    if (w.restlen >= 1) tailstr = mid(reccity, w.keylen, w.restlen);
    reccity = w.wkstr + tailstr;
    return;
  }

  suffix = recordSuffix = TextView();
  w.restlen = length - 1;
  if (w.restlen >= 1) suffix = midView(reading, w.restlen, 2);
  if (suffix != kMachi) return;
  w.lenwk = len(reccity);
  probepos = w.keylen - 1;
  if (probepos >= 1) recordSuffix = midView(reccity, probepos, 2);
  if (recordSuffix == kMachi) return;
  if (length - 2 >= 1) {
    reading = left(reading, length - 2);
  } else if (emptyWholeMachi) {
    reading.clear();
  }
  length = len(reading);
  w.keylen = prefix + length;
  w.wkstr = left(reccity, w.keylen);
  w.keylen += 3;
  w.restlen = w.lenwk - w.keylen;
  w.keylen += 1;
  if (w.restlen >= 1) tailstr = mid(reccity, w.keylen, w.restlen);
  reccity = w.wkstr + tailstr;
}

int prefectureShift(const ConversionState& s, const AddressWork& w) {
  return s.settings.posken == s.settings.poscity ? w.lenken : 0;
}

}  // namespace

void chou(ConversionState& s, AddressWork& w) {
  agreeSuffix(s, w, s.dat[7], w.lencity, prefectureShift(s, w), false);
}

void machi(ConversionState& s, AddressWork& w) {
  agreeSuffix(s, w, s.dat[8], w.lentown, prefectureShift(s, w) + w.lencity, true);
}

}  // namespace zumaro
