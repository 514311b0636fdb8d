#include "address/entry_choice.h"

#include <algorithm>

#include "address/classic_comparison.h"
#include "address/entry_application.h"
#include "address/kana_left.h"
#include "address/reading_agreement.h"
#include "address/reading_fold.h"
#include "address/reading_slip.h"
#include "address/string_conversion.h"
#include "address/written_form.h"

namespace zumaro {
namespace {

constexpr int kDirectRank = 1 << 21;  // above the length of any field the reader lets through

bool sameWrittenAddress(const EntryView& a, const EntryView& b) {
  return a[1] == b[1] && a[2] == b[2] && a[3] == b[3] && a[4] == b[4];
}

// The record's city text in the folded view, folded once for all its
// entries; most texts fold to themselves and are compared where they stand.
FoldedRecordView foldedCity(ConversionState& s) {
  RecordMatch& m = s.match;
  if (!m.cityFolded) {
    m.cityFoldsToItself = foldsToItself(s.cityFieldAsRead);
    if (!m.cityFoldsToItself) foldText(s.cityFieldAsRead, m.city);
    m.cityWritten = holdsWrittenCharacters(m.cityFoldsToItself ? TextView(s.cityFieldAsRead) : m.city.view());
    m.cityFolded = true;
  }
  return m.cityFoldsToItself ? FoldedRecordView::itself(s.cityFieldAsRead) : FoldedRecordView(m.city);
}

Agreement compareWithRecord(ConversionState& s, const EntryView& e, bool readingsFolded) {
  RecordMatch& m = s.match;
  const FoldedRecordView city = foldedCity(s);
  EntryReadings readings{e[6], e[7], e[8], s.settings.prefecturePosition == s.settings.cityPosition,
                         e[1], e[2], e[3], m.cityWritten};
  if (!readingsFolded) {
    readings.prefecture = foldedReading(e[6], m.readings[0]);
    readings.city = foldedReading(e[7], m.readings[1]);
    readings.town = foldedReading(e[8], m.readings[2]);
  }
  // Written forms are compared only with a record that writes some part.
  if (m.cityWritten) {
    readings.writtenPrefecture = foldedReading(e[1], m.written[0]);
    readings.writtenCity = foldedReading(e[2], m.written[1]);
    readings.writtenTown = foldedReading(e[3], m.written[2]);
  }
  return agreeReadings(city, readings);
}

void considerAddressEntry(ConversionState& s, const EntryView& e, bool lastsTheRun, bool readingsFolded) {
  RecordMatch& m = s.match;
  const Agreement a = compareWithRecord(s, e, readingsFolded);
  // Only a record that no entry agrees with shows the entries of its code.
  if (m.collectSeen && !a.agrees) m.addSeen(e, lastsTheRun, a.agrees, a.used, a.reached, a.townStart);
  if (!a.agrees || rankOf(a) < m.bestRank) return;
  if (rankOf(a) > m.bestRank) {
    m.ties.clear();
  } else if (!sameWrittenAddress(e, m.best)) {
    m.ties.emplace_back();
    assignEntry(m.ties.back(), e);
    return;
  }
  m.hasBest = true;
  m.bestRank = rankOf(a);
  m.bestUsed = a.used;
  m.bestWritten = a.written;
  m.bestTownStart = a.townStart;
  if (lastsTheRun) {
    m.best = e;
  } else {
    assignEntry(m.bestHeld, e);
    m.best = viewOf(m.bestHeld);
  }
}

// The slot keeps whatever the record wrote about its building; the entry's
// written name stands only for the part the record reads as that name.
void writeBuildingOf(ConversionState& s, const EntryView& e) {
  const int buildingPosition = s.settings.buildingPosition;
  if (e[9].empty() || s.buildingField.empty()) {
    if (!e[9].empty()) {
      setSlot(s, buildingPosition, Text(e[4]));
    } else if (!s.buildingField.empty()) {
      writeFullWidth(s, buildingPosition, s.buildingField);
    }
    return;
  }
  FoldedText building;
  foldText(s.buildingField, building);
  Text reading;
  foldReading(e[9], reading);
  const bool named = building.view().substr(0, reading.size()) == reading && building.endsCharacter(reading.size());
  if (!named) {
    writeFullWidth(s, buildingPosition, s.buildingField);
    return;
  }
  setSlot(
      s, buildingPosition,
      joined({e[4],
              toFullWidth(TextView(s.buildingField).substr(static_cast<size_t>(building.textUsed(reading.size()))))}));
}

TextView remainderAfter(const ConversionState& s, int used) {
  TextView rest = TextView(s.cityFieldAsRead).substr(static_cast<size_t>(used));
  while (!rest.empty() && isSpace(rest.front())) rest.remove_prefix(1);
  return rest;
}

void applyAddressEntry(ConversionState& s, const EntryView& e, int used, Text kanaLeft) {
  writeBuildingOf(s, e);
  writeAddress(s, e, remainderAfter(s, used), used);
  s.match.kanaLeft = std::move(kanaLeft);
  writeCompany(s, e);
  convertFurtherFields(s);
  s.entryApplied = true;
}

void finishTolerant(ConversionState& s) {
  RecordMatch& m = s.match;
  if (m.hasBusiness) {
    applyBusinessEntry(s, viewOf(m.business));
    convertFurtherFields(s);
    s.entryApplied = true;
    m.outcome = RecordOutcome::ConvertedByBusinessCode;
  } else if (m.hasBest && m.ties.empty()) {
    Text kanaLeft = kanaLeftByBest(s);
    if (!kanaLeft.empty() && bestLeavesASlip(s, kanaLeft)) {
      // A slip in the town area's reading is not a shorter town with kana
      // after it: the record stays as read, the report names the town.
      m.outcome = RecordOutcome::ReadingDiffers;
      return;
    }
    applyAddressEntry(s, m.best, m.bestUsed, std::move(kanaLeft));
    m.alreadyWritten = m.bestWritten;
    m.outcome = m.keyRepaired ? RecordOutcome::ConvertedAfterRepair : RecordOutcome::Converted;
  } else if (m.hasBest) {
    m.outcome = RecordOutcome::Ambiguous;
  } else {
    m.outcome = m.entriesSeen == 0 ? RecordOutcome::PostalCodeUnknown : RecordOutcome::ReadingDiffers;
  }
}

void finishClassic(ConversionState& s) {
  RecordMatch& m = s.match;
  if (s.entryApplied) {
    m.outcome = m.hasBusiness ? RecordOutcome::ConvertedByBusinessCode : RecordOutcome::Converted;
  } else if (m.entriesSeen > 0) {
    m.outcome = RecordOutcome::ReadingDiffers;
  } else {
    m.outcome = RecordOutcome::PostalCodeUnknown;
  }
}

}  // namespace

// An agreement that had to pass over something ranks below every one that
// did not, so that an entry reading the record as written is never displaced.
int rankOf(const Agreement& a) { return a.passedOver ? a.used : a.used + kDirectRank; }

Agreement agreeWithRecord(ConversionState& s, const EntryView& e, bool readingsFolded) {
  return compareWithRecord(s, e, readingsFolded);
}

Text kanaLeftByBest(const ConversionState& s) { return kanaLeftBehind(remainderAfter(s, s.match.bestUsed)); }

TextView foldedRecordText(ConversionState& s) { return foldedCity(s).view(); }

bool readingsFoldToThemselves(const EntryView& e) { return std::all_of(e.begin() + 6, e.begin() + 9, foldsToItself); }

void visitEntry(ConversionState& s, const EntryView& e, bool lastsTheRun, bool readingsFolded) {
  if (s.matchMode == MatchMode::Classic) {
    compareAndApplyEntry(s);
    return;
  }
  RecordMatch& m = s.match;
  const bool business = !e[5].empty();
  // A code whose zeros were put back is a guess: a business entry would be
  // applied on the code alone, so only readings that agree may confirm it.
  if (business && m.keyRepaired) return;
  ++m.entriesSeen;
  if (business) {
    m.hasBusiness = true;
    assignEntry(m.business, e);
    return;
  }
  considerAddressEntry(s, e, lastsTheRun, readingsFolded);
}

void finishRecord(ConversionState& s) {
  if (s.matchMode == MatchMode::Classic) {
    finishClassic(s);
  } else {
    finishTolerant(s);
  }
}

}  // namespace zumaro
