#include "lookup/loaded_data_file.h"

#include <algorithm>
#include <limits>

#include "lookup/key_head.h"
#include "lookup/range_table.h"
#include "state/failure.h"

namespace zumaro {
namespace {

// The first of [from, to) for which `before` is false; `before` holds for a
// leading part of the range and for nothing after it. Halved by hand:
// clang 14, which the fuzzing build uses, cannot compile libstdc++'s <ranges>.
template <class Before>
size_t firstNotBefore(size_t from, size_t to, Before before) {
  while (from < to) {
    const size_t middle = from + (to - from) / 2;
    if (before(middle)) {
      from = middle + 1;
    } else {
      to = middle;
    }
  }
  return from;
}

// The first of heads[from, to) not less than `head`, for ascending heads.
// The halving picks its half without a branch: over unsorted keys a branch
// would be mispredicted half the time.
size_t firstHeadNotLess(const std::vector<uint64_t>& heads, size_t from, size_t to, uint64_t head) {
  if (from >= to) return from;
  const uint64_t* base = heads.data() + from;
  for (size_t n = to - from; n > 1;) {
    const size_t half = n / 2;
    base += static_cast<size_t>(base[half - 1] < head) * half;  // a multiply, where a ?: compiles to a jump
    n -= half;
  }
  return static_cast<size_t>(base - heads.data()) + (*base < head ? 1 : 0);
}

}  // namespace

LoadedDataFile::Probe::Probe(TextView k) : key(k) {
  const KeyHead keyHead = keyHeadOf(k, k.data() + k.size());
  head = keyHead.value;
  narrow = keyHead.narrow;
  fitsHead = narrow && keyHead.fits;
  number = sevenDigitNumber(k);
}

void LoadedDataFile::narrowBySamples(size_t& from, size_t& to, const Probe& probe) const {
  if (probe.number >= 0) prefixes_.narrow(probe.number, from, to);
  // The samples whose entries lie in [from, to).
  const size_t firstSample = (from + kSampleStep - 1) / kSampleStep;
  const size_t endSample = to == 0 ? 0 : (to - 1) / kSampleStep + 1;
  if (firstSample < endSample) {
    const size_t j = headsDecide(probe)
                         ? firstHeadNotLess(sampleHeads_, firstSample, endSample, probe.head)
                         : firstNotBefore(firstSample, endSample, [&](size_t k) { return sampleLess(k, probe); });
    if (j > firstSample) from = (j - 1) * kSampleStep + 1;
    if (j < endSample) to = j * kSampleStep;
  }
}

size_t LoadedDataFile::firstNotLess(size_t from, size_t to, const Probe& probe) const {
  narrowBySamples(from, to, probe);
  return firstInBlock(from, to, probe);
}

size_t LoadedDataFile::firstInBlock(size_t from, size_t to, const Probe& probe) const {
  if (headsDecide(probe)) return firstHeadNotLess(keyHeads_, from, to, probe.head);
  return firstNotBefore(from, to, [&](size_t i) { return compareKey(i, probe) < 0; });
}

void LoadedDataFile::prefetch(TextView key, int32_t number, PrefetchStep step, PrefetchPlace& place) const {
  if (!loaded_ || keyTable_.empty()) return;
  if (step == PrefetchStep::TableSlot) {
    keyTable_.prefetch(number);
    prefixes_.prefetch(number);  // for a key the file lacks
    return;
  }
  if (step == PrefetchStep::FieldOffsets) {
    place.sought = true;
    const PostalKeyTable::Run run = keyTable_.find(number);
    if (run.count == 0) {
      prefetchSamples(number);
      return;
    }
    place.entry = run.first;
    place.count = run.count;
  }
  if (place.entry == SIZE_MAX) {
    findBlock(Probe(key), place);
    return;
  }
  // The key's entries, and the key after them, where the search stops and
  // which it keeps.
  const std::vector<uint32_t>& start = entries_.fieldStart;
  const auto fields = static_cast<size_t>(kEntryFields);
  const size_t first = place.entry * fields;
  const size_t stopKeyEnd = std::min(start.size() - 1, (place.entry + place.count) * fields + 1);
  if (step == PrefetchStep::FieldOffsets) {
    __builtin_prefetch(&start[first]);
    __builtin_prefetch(&start[stopKeyEnd]);
    return;
  }
  constexpr size_t kLine = 64 / sizeof(char16_t);
  constexpr size_t kMostChars = 8 * kLine;
  const size_t end = std::min<size_t>(start[stopKeyEnd], start[first] + kMostChars);
  for (size_t c = start[first]; c < end; c += kLine) __builtin_prefetch(&entries_.chars[c]);
}

// The samples of the key's prefix, where they are few: the binary search
// over them would otherwise wait on memory at every step.
void LoadedDataFile::prefetchSamples(int32_t number) const {
  constexpr size_t kMostLines = 8;
  constexpr size_t kPerLine = 64 / sizeof(uint64_t);
  if (sampleHeads_.empty()) return;
  size_t from = 0, to = entries_.count;
  prefixes_.narrow(number, from, to);
  const size_t first = std::min(from / kSampleStep, sampleHeads_.size() - 1);
  const size_t last = std::min(to / kSampleStep, sampleHeads_.size() - 1);
  if (last < first || last - first > kMostLines * kPerLine) return;
  for (size_t j = first; j <= last; j += kPerLine) __builtin_prefetch(&sampleHeads_[j]);
  __builtin_prefetch(&sampleHeads_[last]);
}

// For a key the file lacks: the block between two samples that holds the
// first greater key, and its heads asked for.
void LoadedDataFile::findBlock(const Probe& probe, PrefetchPlace& place) const {
  place.blockFrom = 0;
  place.blockTo = entries_.count;
  narrowBySamples(place.blockFrom, place.blockTo, probe);
  for (size_t i = place.blockFrom; i < place.blockTo; i += 8) __builtin_prefetch(&keyHeads_[i]);
  __builtin_prefetch(&keyHeads_[std::min(place.blockTo, entries_.count - 1)]);
}

void LoadedDataFile::open() {
  close();
  file_.open();
}

void LoadedDataFile::close() {
  file_.close();
  loaded_ = false;
  entries_ = EntryTexts();
  std::vector<uint64_t>().swap(keyHeads_);
  std::vector<uint8_t>().swap(keyLengths_);
  std::vector<uint64_t>().swap(sampleHeads_);
  prefixes_.clear();
  keyTable_.clear();
  shortKeys_ = false;
  std::vector<uint32_t>().swap(stretchEnds_);
  fault_.reset();
}

bool LoadedDataFile::atEnd(size_t i) {
  if (!loaded_) load();
  if (i < entries_.count) return false;
  if (fault_) throw RunFailure(*fault_);
  return true;
}

void LoadedDataFile::load() {
  loaded_ = true;
  if (!loadWritten()) loadGeneral();
  file_.close();
  indexKeys();
}

// The heads, lengths, samples and ascending stretches, in one pass over the
// keys.
void LoadedDataFile::indexKeys() {
  const size_t count = entries_.count;
  keyHeads_.resize(count);
  keyLengths_.resize(count);
  shortKeys_ = true;
  const char16_t* const readableEnd = entries_.chars.data() + entries_.chars.size();
  KeyHead before;
  TextView beforeKey;
  for (size_t i = 0; i < count; ++i) {
    const TextView thisKey = key(i);
    const KeyHead head = keyHeadOf(thisKey, readableEnd);
    keyHeads_[i] = head.value;
    keyLengths_[i] = static_cast<uint8_t>(std::min<size_t>(head.length, 255));
    shortKeys_ = shortKeys_ && head.fits;
    if (i > 0 && keySortsBefore(head, thisKey, before, beforeKey)) stretchEnds_.push_back(static_cast<uint32_t>(i));
    before = head;
    beforeKey = thisKey;
  }
  stretchEnds_.push_back(static_cast<uint32_t>(count));
  sampleHeads_.clear();
  for (size_t i = 0; i < count; i += kSampleStep) sampleHeads_.push_back(keyHeads_[i]);
  if (stretchEnds_.size() == 1) {
    std::vector<int32_t> numbers(count);
    for (size_t i = 0; i < count; ++i) numbers[i] = sevenDigitNumber(key(i));
    prefixes_.build(numbers);
    keyTable_.build(numbers);
  }
}

// The maker's own files, read whole and in one pass. Any other file is read
// again from its start by the general reader, so that its entries and its
// fault come out exactly as the scan meets them.
bool LoadedDataFile::loadWritten() {
  FileBytes bytes;
  if (!readSmallRegularFile(file_.path(), bytes)) return false;
  if (parseWrittenEntries(bytes.view(), kEntryFields, entries_)) return true;
  entries_.clear();
  return false;
}

void LoadedDataFile::loadGeneral() {
  entries_.chars.reserve(
      static_cast<size_t>(std::min<uint64_t>(file_.sizeInBytes(), std::numeric_limits<uint32_t>::max())));
  try {
    while (!file_.atEnd()) append(file_.readBytes());
  } catch (const RunFailure& failure) {
    // Read faults, and a file too large for the offsets, stop the run only
    // when a search reaches the entry.
    fault_ = failure.message;
  }
  entries_.fieldStart.shrink_to_fit();
}

// The fields are decoded straight into the entries' characters.
void LoadedDataFile::append(const std::vector<std::string>& entry) {
  // Offsets are 32-bit to keep a full postal folder small in memory; a
  // field has no more characters than bytes.
  size_t size = 0;
  for (const std::string& field : entry) size += field.size();
  if (entries_.chars.size() + size > std::numeric_limits<uint32_t>::max())
    throw RunFailure(u"郵便番号データ " + fromUtf8(file_.path()) + u" が大きすぎて読み込めません。");
  for (const std::string& field : entry) {
    decodeText(TextEncoding::Cp932, field.data(), field.size(), true, entries_.chars);
    entries_.fieldStart.push_back(static_cast<uint32_t>(entries_.chars.size()));
  }
  ++entries_.count;
}

void LoadedDataFile::copyEntry(size_t i, Text& entryKey, std::array<Text, 11>& entryColumn) const {
  entryKey.assign(key(i));
  for (size_t f = 1; f < static_cast<size_t>(kEntryFields); ++f) entryColumn[f].assign(field(i, f));
}

}  // namespace zumaro
