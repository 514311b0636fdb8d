#include "state/conversion_state.h"

namespace zumaro {
namespace {
const Text kNoSlot;
inline bool inTable(int index) { return index >= 0 && index < kSlotCount; }
}  // namespace

const Text& slot(const ConversionState& s, int index) {
  return inTable(index) ? s.recordField[static_cast<size_t>(index)] : kNoSlot;
}

void setSlot(ConversionState& s, int index, Text value) {
  if (!inTable(index)) return;
  s.recordField[static_cast<size_t>(index)] = std::move(value);
  s.slotsChanged |= uint64_t{1} << index;
}

Text* slotToChange(ConversionState& s, int index) {
  if (!inTable(index)) return nullptr;
  s.slotsChanged |= uint64_t{1} << index;
  return &s.recordField[static_cast<size_t>(index)];
}

}  // namespace zumaro
