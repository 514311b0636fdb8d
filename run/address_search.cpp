#include "run/address_search.h"

#include <algorithm>

#include "address/entry_choice.h"
#include "address/reading_fold.h"

namespace zumaro {
namespace {

bool sameWrittenAddress(const EntryView& a, const EntryView& b) { return a[1] == b[1] && a[2] == b[2] && a[3] == b[3]; }

}  // namespace

void AddressSearch::BestAgreeing::clear() {
  rank = -1;
  ids.clear();
  agreements.clear();
}

void AddressSearch::BestAgreeing::offer(uint32_t id, const Agreement& a) {
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

const Agreement& AddressSearch::BestAgreeing::of(uint32_t id) const {
  return agreements[static_cast<size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin())];
}

const AddressIndex& AddressSearch::index() {
  if (!built_) {
    index_.build(lookup_, folder_);
    built_ = true;
  }
  return index_;
}

const AddressFound& AddressSearch::find(ConversionState& s, TextView oldCode) {
  if (record_ != s.recordsRead) {
    search(s, oldCode);
    record_ = s.recordsRead;
  }
  return found_;
}

// Into found_ and the members beside it, whose room is kept from record to
// record: a long list searches for tens of thousands.
void AddressSearch::search(ConversionState& s, TextView oldCode) {
  AddressFound& found = found_;
  found.kind = AddressFound::Kind::None;
  found.entries.clear();
  found.codes.clear();
  found.agreement = {};
  const AddressIndex& idx = index();
  const bool shared = s.settings.prefecturePosition == s.settings.cityPosition;
  const TextView text = foldedRecordText(s);
  int prefecture = AddressIndex::kNoPrefecture;
  if (!shared && !s.prefectureField.empty()) {
    Text field;
    foldReading(s.prefectureField, field);
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
  auto agreeBest = [&](const std::vector<uint32_t>& ids) {
    agreeing_.clear();
    for (uint32_t id : ids) {
      const Agreement a = agreeWithRecord(s, idx.entry(id), idx.readingsFold(id));
      if (a.agrees && (named || !a.cityLeftOut)) agreeing_.offer(id, a);
    }
  };
  agreeBest(candidates_);
  // The city's own entries tell nothing of a record whose prefecture is
  // unknown: a city of that name may stand in several.
  if (agreeing_.ids.empty() && named) {
    agreeBest(citywide_);
    if (agreeing_.ids.empty()) return;
    found.kind = AddressFound::Kind::Citywide;
  }
  if (agreeing_.ids.empty()) return;
  std::vector<uint32_t>& ids = sortedIds_;
  ids = agreeing_.ids;
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
  if (found.kind == AddressFound::Kind::Citywide) return;
  if (found.entries.size() > 1) {
    found.kind = AddressFound::Kind::SeveralAddresses;
    return;
  }
  // One written address: one entry a code.
  found.entries.clear();
  found.codes.clear();
  std::vector<uint32_t>& chosen = chosenIds_;
  chosen.clear();
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
  if (found.kind == AddressFound::Kind::One) found.agreement = agreeing_.of(chosen.front());
}

}  // namespace zumaro
