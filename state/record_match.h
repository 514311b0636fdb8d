#pragma once
// What the lookup found for the current record: the entries of its postal
// code that agree with its address, and which of them is to be applied.
#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

#include "state/folded_text.h"
#include "text/text.h"

namespace zumaro {

using DataEntry = std::array<Text, 11>;  // [1]..[10] as columns 1..10; [0] unused
// An entry seen where it is held (the loaded file, or entryColumn), laid out as DataEntry.
using EntryView = std::array<TextView, 11>;

inline EntryView viewOf(const DataEntry& e) {
  EntryView view;
  for (size_t f = 0; f < e.size(); ++f) view[f] = e[f];
  return view;
}
// The texts one after the other, as a written address joins its parts.
inline Text joined(std::initializer_list<TextView> parts) {
  size_t size = 0;
  for (TextView part : parts) size += part.size();
  Text text;
  text.reserve(size);
  for (TextView part : parts) text += part;
  return text;
}
// Copies `from` into `to`, reusing its storage.
inline void assignEntry(DataEntry& to, const EntryView& from) {
  for (size_t f = 0; f < to.size(); ++f) to[f].assign(from[f]);
}

enum class MatchMode {
  Tolerant,  // folded readings, sound suffix agreement, longest agreement wins
  Classic,   // the old system's comparison, every agreeing entry applied in turn
};

enum class BlockStyle {
  FullWidth,  // the rest of the address in full width, as read
  Written,    // hyphens as －, ﾁﾖｳﾒ/ﾊﾞﾝ/ｺﾞｳ after numbers as 丁目/番/号
};

// Why a record came out as it did. The first four name applied entries.
enum class RecordOutcome {
  Converted,
  ConvertedByBusinessCode,  // a business entry, applied on the code alone
  ConvertedAfterRepair,     // after the zeros a spreadsheet dropped were put back
  ConvertedWithFixedCode,   // under the code its reading names, written into the record
  NoPostalCode,             // the field holds no 7-digit code
  PostalCodeUnknown,        // no entry has the code
  ReadingDiffers,           // entries have the code, none agrees with the text
  Ambiguous,                // several entries agree equally well and differ
};

// One entry of the record's code as the comparison saw it.
struct SeenEntry {
  EntryView entry;  // where the lookup holds it, or `held`
  DataEntry held;   // a copy, when the lookup holds the entry only for now
  bool agrees = false;
  int used = 0;        // characters of the record's text the agreement used
  int reached = 0;     // folded characters that agreed before the first difference
  int townStart = -1;  // folded characters before its town area, where the city agreed
};

struct RecordMatch {
  int entriesSeen = 0;  // entries with the record's key
  bool keyRepaired = false;
  bool hasBest = false;
  int bestRank = -1;         // how well best agrees: better agreements rank higher
  int bestUsed = 0;          // characters of the record's text best used
  bool bestWritten = false;  // best agreed with the record written, nothing read
  int bestTownStart = -1;    // folded characters before best's town area in the record
  // Where the lookup holds the entry when that lasts the run (the fast
  // lookup), else in bestHeld: most records have a best, and copying it
  // would cost more than finding it.
  EntryView best{};
  DataEntry bestHeld;
  std::vector<DataEntry> ties;  // agree as far as best, written otherwise
  bool hasBusiness = false;
  DataEntry business;
  bool collectSeen = false;  // keep the entries that did not agree (for the report)
  // Those of this record are seen[0, seenCount); the rest keep their
  // storage for the next record, so that collecting costs no allocation.
  std::deque<SeenEntry> seen;  // a deque: views into `held` stay where they are as it grows
  size_t seenCount = 0;
  RecordOutcome outcome = RecordOutcome::ReadingDiffers;
  // For ConvertedWithFixedCode: what the record's own code gave.
  RecordOutcome outcomeBeforeFix = RecordOutcome::ReadingDiffers;
  // The applied entry agreed with the record's address written in full, with
  // no part of it read: converted all the same, counted apart, not reported.
  bool alreadyWritten = false;
  // The kana the applied entry left at the head of the record's remainder
  // (a town area it does not name); empty when none.
  Text kanaLeft;

  // The record's city text folded once, when its first entry is compared
  // (into `city` only where it does not fold to itself), and room for the
  // entries' folded readings.
  bool cityFolded = false;
  bool cityFoldsToItself = false;
  bool cityWritten = false;  // the folded city text holds written characters
  FoldedText city;
  std::array<Text, 3> readings;
  std::array<Text, 3> written;  // room for the entries' folded written forms

  void addSeen(const EntryView& entry, bool lastsTheRun, bool agrees, int used, int reached, int townStart = -1) {
    if (seenCount == seen.size()) seen.emplace_back();
    SeenEntry& s = seen[seenCount++];
    if (lastsTheRun) {
      s.entry = entry;
    } else {
      assignEntry(s.held, entry);
      s.entry = viewOf(s.held);
    }
    s.agrees = agrees;
    s.used = used;
    s.reached = reached;
    s.townStart = townStart;
  }

  void startRecord() {
    cityFolded = false;
    entriesSeen = 0;
    keyRepaired = false;
    hasBest = false;
    best = {};
    bestRank = -1;
    bestUsed = 0;
    bestWritten = false;
    bestTownStart = -1;
    ties.clear();
    hasBusiness = false;
    seenCount = 0;
    outcome = RecordOutcome::ReadingDiffers;
    alreadyWritten = false;
    kanaLeft.clear();
  }
};

}  // namespace zumaro
