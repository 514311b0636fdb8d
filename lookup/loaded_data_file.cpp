#include "lookup/loaded_data_file.h"

#include <algorithm>
#include <limits>

#include "state/failure.h"

namespace zumaro {
namespace {

uint64_t headOf(TextView key, bool& narrow) {
  uint64_t head = 0;
  narrow = true;
  for (size_t i = 0; i < 8; ++i) {
    const unsigned c = i < key.size() ? key[i] : 0u;
    if (c >= 0xFF) narrow = false;
    head = (head << 8) | (c < 0xFF ? c : 0xFFu);
  }
  return head;
}

}  // namespace

LoadedDataFile::Probe::Probe(TextView k) : key(k) { head = headOf(k, narrow); }

void LoadedDataFile::open() {
  close();
  file_.open();
}

void LoadedDataFile::close() {
  file_.close();
  loaded_ = false;
  Text().swap(chars_);
  std::vector<uint64_t>().swap(keyHeads_);
  std::vector<uint8_t>().swap(keyLengths_);
  std::vector<uint32_t>().swap(fieldStart_);
  std::vector<uint32_t>().swap(stretchEnds_);
  count_ = 0;
  fault_.reset();
}

bool LoadedDataFile::atEnd(size_t i) {
  if (!loaded_) load();
  if (i < count_) return false;
  if (fault_) throw RunFailure(*fault_);
  return true;
}

void LoadedDataFile::load() {
  loaded_ = true;
  // A byte never decodes to more than one character, and the separators are
  // dropped: the file's size in characters is enough for every field.
  chars_.reserve(static_cast<size_t>(std::min<uint64_t>(file_.sizeInBytes(), std::numeric_limits<uint32_t>::max())));
  fieldStart_.push_back(0);
  try {
    while (!file_.atEnd()) append(file_.readBytes());
  } catch (const RunFailure& failure) {
    // Read faults, and a file too large for the offsets, stop the run only
    // when a search reaches the entry.
    fault_ = failure.message;
  }
  file_.close();
  fieldStart_.shrink_to_fit();
  keyHeads_.resize(count_);
  keyLengths_.resize(count_);
  bool narrow = true;  // a wide entry key needs nothing apart; see keyHeads_
  for (size_t i = 0; i < count_; ++i) {
    keyHeads_[i] = headOf(key(i), narrow);
    keyLengths_[i] = static_cast<uint8_t>(std::min<size_t>(key(i).size(), 255));
  }
  findAscendingStretches();
}

// The fields are decoded straight into chars_.
void LoadedDataFile::append(const std::vector<std::string>& entry) {
  // Offsets are 32-bit to keep a full postal folder small in memory; a
  // field has no more characters than bytes.
  size_t size = 0;
  for (const std::string& field : entry) size += field.size();
  if (chars_.size() + size > std::numeric_limits<uint32_t>::max())
    throw RunFailure(u"郵便番号データ " + fromUtf8(file_.path()) + u" が大きすぎて読み込めません。");
  for (const std::string& field : entry) {
    decodeText(TextEncoding::Cp932, field.data(), field.size(), true, chars_);
    fieldStart_.push_back(static_cast<uint32_t>(chars_.size()));
  }
  ++count_;
}

void LoadedDataFile::findAscendingStretches() {
  for (size_t i = 1; i < count_; ++i)
    if (textLess(key(i), key(i - 1))) stretchEnds_.push_back(static_cast<uint32_t>(i));
  stretchEnds_.push_back(static_cast<uint32_t>(count_));
}

void LoadedDataFile::copyEntry(size_t i, Text& datno, std::array<Text, 11>& dat) const {
  datno.assign(key(i));
  for (size_t f = 1; f < static_cast<size_t>(kEntryFields); ++f) dat[f].assign(field(i, f));
}

}  // namespace zumaro
