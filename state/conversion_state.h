#pragma once
// The conversion state: every field the conversion procedures share. One
// object lives as long as its owner (a settings form, a command-line run);
// nothing in it is reset between runs.
#include <array>
#include <cstdint>

#include "state/record_match.h"
#include "text/text.h"

namespace zumaro {

constexpr int kSlotCount = 51;      // recordField slots 0..50 (slotsChanged has a bit each)
constexpr int kDataFileCount = 23;  // data files 01.dat..23.dat
constexpr int kFurtherPairs = 7;    // further fields 1..7: a position and a conversion each

struct Settings {
  Text inputPath;
  int16_t fieldCount = 0;
  int16_t postalCodePosition = 0;
  int16_t prefecturePosition = 0;
  int16_t cityPosition = 0;
  int16_t buildingPosition = 0;
  int16_t companyPosition = 0;
  int16_t townPosition = 0;  // the town area and the rest, apart from the city; 0: in the city field
  // [n] for further field n, 1..7, as the settings number them; [0] unused.
  std::array<int16_t, kFurtherPairs + 1> positionOfFurtherField{};
  std::array<int16_t, kFurtherPairs + 1> conversionOfFurtherField{};
  Text outputPath;
};

struct ConversionState {
  Settings settings;

  // [k] for field k of the record, 1..50, as the settings' positions count
  // them; [0] takes what the settings place nowhere.
  std::array<Text, kSlotCount> recordField;
  int64_t recordsRead = 0;  // counting on across runs

  Text postalKey;        // the record's postal code as the data files key it
  Text prefectureField;  // copies of the record's fields, taken by prepareRecord
  Text cityField;
  Text buildingField;
  Text companyField;
  Text cityFieldAsRead;  // cityField as prepareRecord copied it; every entry starts from it
  // Where the town field's text begins in cityFieldAsRead, when prepareRecord joined it
  // on behind the city field and a space; 0 when it joined none.
  int townStart = 0;

  Text entryKey;  // key of the entry read last
  // [c] for column c of the entry read last, 1..10, as the data file
  // numbers them; column 0, the key, is entryKey.
  std::array<Text, 11> entryColumn;
  // [k] for data file k, 1..23: the key read last from it.
  std::array<Text, kDataFileCount + 1> lastKeyOfFile;

  bool entryApplied = false;  // an entry was applied to the current record
  // Bit k: slot k was set or handed out to change since the record loop
  // last cleared it; a slot not marked still holds the field as read.
  uint64_t slotsChanged = 0;

  MatchMode matchMode = MatchMode::Classic;  // a run sets it from its request
  BlockStyle blockStyle = BlockStyle::FullWidth;
  RecordMatch match;  // the current record's entries, as the comparison saw them
};

// Slot access with the index checked against 0..50; an index outside the
// table addresses nothing (reads give empty text, writes are dropped).
const Text& slot(const ConversionState& s, int index);
void setSlot(ConversionState& s, int index, Text value);
// The slot to change in place, or null outside the table.
Text* slotToChange(ConversionState& s, int index);

}  // namespace zumaro
