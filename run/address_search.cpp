#include "run/address_search.h"

#include <algorithm>

#include "address/entry_choice.h"
#include "address/reading_fold.h"

namespace zumaro {
namespace {

bool sameWrittenAddress(const EntryView& a, const EntryView& b) { return a[1] == b[1] && a[2] == b[2] && a[3] == b[3]; }

// The entries that agree best: one without a leap before any with one, then
// the one that uses the most of the record.
struct BestAgreeing {
  int rank = -1;
  std::vector<uint32_t> ids;
  std::vector<Agreement> agreements;  // of ids, in the same order

  void offer(uint32_t id, const Agreement& a) {
    const int entryRank = rankOf(a);
    if (entryRank < rank) return;
    if (entryRank > rank) {
      ids.clear();
      agreements.clear();
    }
    rank = entryRank;
    ids.push_back(id);
    agreements.push_back(a);
  }
  const Agreement& of(uint32_t id) const {
    return agreements[static_cast<size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin())];
  }
};

}  // namespace

const AddressIndex& AddressSearch::index() {
  if (!built_) {
    index_.build(lookup_, folder_);
    built_ = true;
  }
  return index_;
}

const AddressFound& AddressSearch::find(ConversionState& s, TextView oldCode) {
  if (record_ != s.kensu) {
    found_ = search(s, oldCode);
    record_ = s.kensu;
  }
  return found_;
}

AddressFound AddressSearch::search(ConversionState& s, TextView oldCode) {
  const AddressIndex& idx = index();
  const bool shared = s.settings.posken == s.settings.poscity;
  const TextView text = foldedRecordText(s);
  int prefecture = AddressIndex::kNoPrefecture;
  if (!shared && !s.recken.empty()) {
    Text field;
    foldReading(s.recken, field);
    prefecture = idx.prefectureNamed(field);
  }
  size_t cityAt = 0;
  const int atHead = idx.prefectureAtHead(text, cityAt);
  if (atHead == AddressIndex::kNoPrefecture || (prefecture != AddressIndex::kNoPrefecture && atHead != prefecture)) {
    cityAt = 0;
  } else {
    prefecture = atHead;
  }
  const bool named = prefecture != AddressIndex::kNoPrefecture;
  candidates_.clear();
  citywide_.clear();
  idx.candidates(text, cityAt, prefecture, named, candidates_, citywide_);

  // Without a prefecture a city left without its 郡 or designated city may
  // be any of the country's wards of that name: only a whole city counts.
  auto best = [&](const std::vector<uint32_t>& ids) {
    BestAgreeing agreeing;
    for (uint32_t id : ids) {
      const Agreement a = agreeWithRecord(s, idx.entry(id), idx.readingsFold(id));
      if (a.agrees && (named || !a.cityLeftOut)) agreeing.offer(id, a);
    }
    return agreeing;
  };
  AddressFound found;
  BestAgreeing agreeing = best(candidates_);
  // The city's own entries tell nothing of a record whose prefecture is
  // unknown: a city of that name may stand in several.
  if (agreeing.ids.empty() && named) {
    agreeing = best(citywide_);
    if (agreeing.ids.empty()) return found;
    found.kind = AddressFound::Kind::Citywide;
  }
  std::vector<uint32_t> ids = agreeing.ids;
  if (ids.empty()) return found;
  std::sort(ids.begin(), ids.end());  // data order
  for (uint32_t id : ids) {
    const EntryView e = idx.entry(id);
    const bool seen = std::any_of(found.entries.begin(), found.entries.end(),
                                  [&](const EntryView& other) { return sameWrittenAddress(e, other); });
    if (!seen) {
      found.entries.push_back(e);
      found.codes.emplace_back(idx.postalCode(id));
    }
  }
  if (found.kind == AddressFound::Kind::Citywide) return found;
  if (found.entries.size() > 1) {
    found.kind = AddressFound::Kind::SeveralAddresses;
    return found;
  }
  // One written address: one entry a code.
  found.entries.clear();
  found.codes.clear();
  std::vector<uint32_t> chosen;
  for (uint32_t id : ids) {
    const TextView code = idx.postalCode(id);
    if (std::find(found.codes.begin(), found.codes.end(), code) != found.codes.end()) continue;
    found.entries.push_back(idx.entry(id));
    found.codes.emplace_back(code);
    chosen.push_back(id);
  }
  if (found.codes.size() > 1 && oldCode.size() >= 3) {
    // A code of before 1998 keeps its first three digits in the new code.
    std::vector<size_t> keeping;
    for (size_t i = 0; i < found.codes.size(); ++i)
      if (found.codes[i].starts_with(oldCode.substr(0, 3))) keeping.push_back(i);
    if (keeping.size() == 1) {
      found.entries = {found.entries[keeping[0]]};
      found.codes = {found.codes[keeping[0]]};
      chosen = {chosen[keeping[0]]};
    }
  }
  found.kind = found.codes.size() == 1 ? AddressFound::Kind::One : AddressFound::Kind::SeveralCodes;
  if (found.kind == AddressFound::Kind::One) found.agreement = agreeing.of(chosen.front());
  return found;
}

}  // namespace zumaro
