#include "state/conversion_state.h"

namespace zumaro {
namespace {
const Text kNoSlot;
inline bool inTable(int index) { return index >= 0 && index < kSlotCount; }
}  // namespace

const Text& slot(const ConversionState& s, int index) {
  return inTable(index) ? s.koumoku[static_cast<size_t>(index)] : kNoSlot;
}

void setSlot(ConversionState& s, int index, Text value) {
  if (inTable(index)) s.koumoku[static_cast<size_t>(index)] = std::move(value);
}

Text* slotToChange(ConversionState& s, int index) {
  return inTable(index) ? &s.koumoku[static_cast<size_t>(index)] : nullptr;
}

}  // namespace zumaro
