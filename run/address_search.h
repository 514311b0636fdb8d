#pragma once
// The address a record means, found by its text alone over every entry of
// the data (business entries aside): the entries of the prefecture the
// record names (in its field or at the head of its address; all when it
// names none, and then the city must be named whole) that the record's text
// agrees with, through the same comparison as the entries of its own code.
// One mechanism for both the report's suggestion and the fixed postal code:
// what it finds for certain is what the fix writes.
#include <cstdint>
#include <string>
#include <vector>

#include "address/reading_agreement.h"
#include "lookup/address_index.h"
#include "state/conversion_state.h"

namespace zumaro {

struct AddressFound {
  enum class Kind {
    None,              // no entry agrees
    One,               // one written address with one code (or one the old code picks)
    SeveralAddresses,  // written addresses that agree equally far
    SeveralCodes,      // one written address under several codes
    Citywide,          // only the city's own entries agree
  };
  Kind kind = Kind::None;
  // One entry a written address (Kind::SeveralCodes: one a code), the one
  // first in the data; for Kind::One the entry to apply.
  std::vector<EntryView> entries;
  std::vector<Text> codes;  // of `entries`, in the same order
  // For Kind::One: how the entry agreed with the record, as the search of
  // its code would find it.
  Agreement agreement;
};

class AddressSearch {
 public:
  AddressSearch(DataLookup& lookup, std::string folder) : lookup_(lookup), folder_(std::move(folder)) {}

  // For the current record, found once and kept until the next record.
  // `oldCode`: the digits of a code of before 1998 (3 or 5) the record
  // carries, which settles between codes of one address.
  const AddressFound& find(ConversionState& s, TextView oldCode);

 private:
  const AddressIndex& index();
  void search(ConversionState& s, TextView oldCode);

  // The entries that agree best: one without a leap before any with one,
  // then the one that uses the most of the record.
  struct BestAgreeing {
    int rank = -1;
    std::vector<uint32_t> ids;
    std::vector<Agreement> agreements;  // of ids, in the same order
    void clear();
    void offer(uint32_t id, const Agreement& a);
    const Agreement& of(uint32_t id) const;
  };

  DataLookup& lookup_;
  std::string folder_;
  bool built_ = false;
  AddressIndex index_;
  int64_t record_ = -1;  // the recordsRead of the record found_ is for
  AddressFound found_;
  std::vector<uint32_t> candidates_, citywide_;
  BestAgreeing agreeing_;
  std::vector<uint32_t> sortedIds_, chosenIds_;
};

}  // namespace zumaro
