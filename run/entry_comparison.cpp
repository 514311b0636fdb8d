#include "run/entry_comparison.h"

#include "address/entry_choice.h"

namespace zumaro {

void EntryComparison::visit(ConversionState& s, const EntryView& e, bool lastsTheRun, bool readingsFolded) {
  visitEntry(s, e, lastsTheRun, readingsFolded);
}

bool EntryComparison::readingsFold(const EntryView& e) const { return readingsFoldToThemselves(e); }

void searchAndCompare(ConversionState& s, DataLookup& lookup) {
  // It holds nothing: one serves every search.
  static EntryComparison comparison;
  searchData(s, lookup, comparison);
}

}  // namespace zumaro
