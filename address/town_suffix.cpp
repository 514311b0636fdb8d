#include "address/town_suffix.h"

namespace zumaro {
namespace {

constexpr char16_t kChou[] = u"ﾁﾖｳ";
constexpr char16_t kMachi[] = u"ﾏﾁ";

// `reading` is the entry's reading, `length` its length field, `prefix` the
// number of characters of cityField that stand before it.
void agreeSuffix(ConversionState& s, AddressWork& w, Text& reading, int& length, int prefix, bool emptyWholeMachi) {
  Text& cityField = s.cityField;
  Text tailstr;
  // The probes are seen in place: most entries end in neither reading, and
  // then nothing is copied.
  TextView suffix, recordSuffix;
  w.keyLength = prefix + length;
  w.restStart = length - 2;
  if (w.restStart >= 1) suffix = midView(reading, w.restStart, 3);
  int probepos = w.keyLength - 2;
  if (probepos >= 1) recordSuffix = midView(cityField, probepos, 3);

  if (suffix == kChou) {
    if (recordSuffix == kChou) return;
    if (length - 3 >= 1) reading = left(reading, length - 3);
    length = len(reading);
    w.keyLength = prefix + length;
    w.scratchLength = len(cityField);
    w.scratchText = left(cityField, w.keyLength);
    w.keyLength += 3;
    w.restStart = w.scratchLength - w.keyLength + 1;
    if (w.restStart >= 1) tailstr = mid(cityField, w.keyLength, w.restStart);
    cityField = w.scratchText + tailstr;
    return;
  }

  suffix = recordSuffix = TextView();
  w.restStart = length - 1;
  if (w.restStart >= 1) suffix = midView(reading, w.restStart, 2);
  if (suffix != kMachi) return;
  w.scratchLength = len(cityField);
  probepos = w.keyLength - 1;
  if (probepos >= 1) recordSuffix = midView(cityField, probepos, 2);
  if (recordSuffix == kMachi) return;
  if (length - 2 >= 1) {
    reading = left(reading, length - 2);
  } else if (emptyWholeMachi) {
    reading.clear();
  }
  length = len(reading);
  w.keyLength = prefix + length;
  w.scratchText = left(cityField, w.keyLength);
  w.keyLength += 3;
  w.restStart = w.scratchLength - w.keyLength;
  w.keyLength += 1;
  if (w.restStart >= 1) tailstr = mid(cityField, w.keyLength, w.restStart);
  cityField = w.scratchText + tailstr;
}

int prefectureShift(const ConversionState& s, const AddressWork& w) {
  return s.settings.prefecturePosition == s.settings.cityPosition ? w.prefectureReadingLength : 0;
}

}  // namespace

void chou(ConversionState& s, AddressWork& w) {
  agreeSuffix(s, w, s.entryColumn[7], w.cityReadingLength, prefectureShift(s, w), false);
}

void machi(ConversionState& s, AddressWork& w) {
  agreeSuffix(s, w, s.entryColumn[8], w.townReadingLength, prefectureShift(s, w) + w.cityReadingLength, true);
}

}  // namespace zumaro
