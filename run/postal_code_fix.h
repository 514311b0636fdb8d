#pragma once
// A record's postal code fixed from its reading, on request: where its own
// code converted nothing (none, unknown, of before 1998, or entries the
// reading does not agree with) or only by the city's own entry with kana
// left behind, the address search looks for the address the reading names.
// Only an address found for certain, under one code, is taken: the record
// is converted under that code, and its postal-code field gets it in the
// record's own notation. A slip in the reading of an existing code is no
// wrong code: such a record keeps its code.
#include "run/address_search.h"
#include "run/record_lookup.h"

namespace zumaro {

class PostalCodeFix : public RecordRepair {
 public:
  explicit PostalCodeFix(AddressSearch& search) : search_(search) {}
  bool repair(ConversionState& s, DataLookup& lookup, const PostalCodeReading& code) override;

 private:
  AddressSearch& search_;
};

}  // namespace zumaro
