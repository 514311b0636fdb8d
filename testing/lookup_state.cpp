#include "testing/lookup_state.h"

#include <optional>

namespace zumaro::testing {
namespace {

// "<name><index> <a> / <b>", built by appending: GCC 12 warns falsely
// (-Wrestrict) where a literal is added to a new string here.
std::string valuesDiffer(const char* name, std::optional<size_t> index, const Text& a, const Text& b) {
  std::string text = name;
  if (index) text += std::to_string(*index);
  text += ' ';
  text += toUtf8(a);
  text += " / ";
  text += toUtf8(b);
  return text;
}

}  // namespace

std::string entryDifference(const ConversionState& a, const ConversionState& b) {
  if (a.entryKey != b.entryKey) return valuesDiffer("entryKey", std::nullopt, a.entryKey, b.entryKey);
  // The tolerant comparison takes each entry where the lookup holds it, so
  // the fast lookup leaves entryColumn as it stood; only the classic one reads it.
  if (a.matchMode == MatchMode::Tolerant) return "";
  for (size_t i = 1; i < a.entryColumn.size(); ++i)
    if (a.entryColumn[i] != b.entryColumn[i]) return valuesDiffer("entryColumn", i, a.entryColumn[i], b.entryColumn[i]);
  return "";
}

std::string lastKeyDifference(const ConversionState& a, const ConversionState& b) {
  for (size_t k = 1; k < a.lastKeyOfFile.size(); ++k)
    if (a.lastKeyOfFile[k] != b.lastKeyOfFile[k])
      return valuesDiffer("lastKeyOfFile ", k, a.lastKeyOfFile[k], b.lastKeyOfFile[k]);
  return "";
}

std::string recordDifference(const ConversionState& a, const ConversionState& b) {
  for (size_t i = 0; i < a.recordField.size(); ++i)
    if (a.recordField[i] != b.recordField[i]) return valuesDiffer("slot ", i, a.recordField[i], b.recordField[i]);
  if (a.entryApplied != b.entryApplied) return "entryApplied";
  if (a.match.outcome != b.match.outcome) return "outcome";
  if (a.match.entriesSeen != b.match.entriesSeen) return "entries seen";
  return "";
}

std::string stateDifference(const ConversionState& a, const ConversionState& b) {
  std::string difference = entryDifference(a, b);
  if (difference.empty()) difference = lastKeyDifference(a, b);
  if (difference.empty()) difference = recordDifference(a, b);
  return difference;
}

}  // namespace zumaro::testing
