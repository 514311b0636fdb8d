#pragma once
// The address comparison as the searches' visitor: each entry of the
// record's code goes to the comparison of the current record.
#include "lookup/data_search.h"

namespace zumaro {

class EntryComparison final : public EntryVisitor {
 public:
  void visit(ConversionState& s, const EntryView& e, bool lastsTheRun, bool readingsFolded) override;
  bool readingsFold(const EntryView& e) const override;
};

// The data searched for s.postalKey, every entry of it compared with the record.
void searchAndCompare(ConversionState& s, DataLookup& lookup);

}  // namespace zumaro
