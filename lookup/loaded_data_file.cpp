#include "lookup/loaded_data_file.h"

#include <limits>

#include "state/failure.h"

namespace zumaro {
// Characters 0-3 and 4-7, 16 bits each, the first highest; a shorter key is
// padded with zeros.
LoadedDataFile::KeyHead LoadedDataFile::headOf(TextView key) {
  KeyHead head;
  for (size_t i = 0; i < 8; ++i) {
    uint64_t& half = i < 4 ? head.first : head.second;
    half = (half << 16) | (i < key.size() ? key[i] : 0u);
  }
  head.length = key.size();
  return head;
}

void LoadedDataFile::open() {
  close();
  file_.open();
}

void LoadedDataFile::close() {
  file_.close();
  loaded_ = false;
  Text().swap(chars_);
  std::vector<KeyHead>().swap(keyHeads_);
  std::vector<uint32_t>().swap(fieldStart_);
  std::vector<uint32_t>().swap(ascendingEnd_);
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
  fieldStart_.push_back(0);
  Text datno;
  std::array<Text, 11> dat;
  try {
    while (!file_.atEnd()) {
      file_.read(datno, dat);
      append(datno, dat);
    }
  } catch (const RunFailure& failure) {
    fault_ = failure.message;
  }
  file_.close();
  chars_.shrink_to_fit();
  fieldStart_.shrink_to_fit();
  keyHeads_.resize(count_);
  for (size_t i = 0; i < count_; ++i) keyHeads_[i] = headOf(key(i));
  findAscendingStretches();
}

void LoadedDataFile::append(const Text& datno, const std::array<Text, 11>& dat) {
  // Offsets are 32-bit to keep a full postal folder small in memory.
  size_t size = datno.size();
  for (size_t f = 1; f < dat.size(); ++f) size += dat[f].size();
  if (chars_.size() + size > std::numeric_limits<uint32_t>::max())
    throw RunFailure(u"郵便番号データ " + fromUtf8(file_.path()) + u" が大きすぎて読み込めません。");
  auto add = [&](const Text& value) {
    chars_ += value;
    fieldStart_.push_back(static_cast<uint32_t>(chars_.size()));
  };
  add(datno);
  for (size_t f = 1; f < dat.size(); ++f) add(dat[f]);
  ++count_;
}

void LoadedDataFile::findAscendingStretches() {
  ascendingEnd_.assign(count_, static_cast<uint32_t>(count_));
  for (size_t i = count_; i-- > 1;) {
    if (textLess(key(i), key(i - 1))) {
      ascendingEnd_[i - 1] = static_cast<uint32_t>(i);
    } else {
      ascendingEnd_[i - 1] = ascendingEnd_[i];
    }
  }
}

void LoadedDataFile::copyEntry(size_t i, Text& datno, std::array<Text, 11>& dat) const {
  datno.assign(key(i));
  for (size_t f = 1; f < static_cast<size_t>(kEntryFields); ++f) dat[f].assign(field(i, f));
}

}  // namespace zumaro
