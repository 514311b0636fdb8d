#pragma once
// The conversion state: every field the conversion procedures share. One
// object lives as long as its owner (a settings form, a command-line run);
// nothing in it is reset between runs.
#include <array>
#include <cstdint>

#include "state/record_match.h"
#include "text/text.h"

namespace zumaro {

constexpr int kSlotCount = 51;      // koumoku slots 0..50 (slotsChanged has a bit each)
constexpr int kDataFileCount = 23;  // data files 01.dat..23.dat
constexpr int kFurtherPairs = 7;    // etc1/etc11 .. etc7/etc71

struct Settings {
  Text infile;
  int16_t fieldsu = 0;
  int16_t posno = 0;
  int16_t posken = 0;
  int16_t poscity = 0;
  int16_t posbil = 0;
  int16_t posco = 0;
  int16_t postown = 0;  // the town area and the rest, apart from the city; 0: in the city field
  std::array<int16_t, kFurtherPairs + 1> posetc{};  // [1]..[7]
  std::array<int16_t, kFurtherPairs + 1> optetc{};  // [1]..[7]
  Text outfile;
};

struct ConversionState {
  Settings settings;

  std::array<Text, kSlotCount> koumoku;  // record field table, slot k = field k
  int64_t kensu = 0;                     // records read, counting on across runs

  Text keyno;   // normalised postal code of the record
  Text recken;  // copies of the record's fields, taken by numck
  Text reccity;
  Text recbil;
  Text recco;
  Text reccityRead;  // reccity as numck copied it; every entry starts from it
  // Where the town field's text begins in reccityRead, when numck joined it
  // on behind the city field and a space; 0 when it joined none.
  int townStart = 0;

  Text datno;                                   // key of the entry read last
  std::array<Text, 11> dat;                     // dat[1]..dat[10]; dat[0] unused
  std::array<Text, kDataFileCount + 1> lastno;  // [1]..[23]

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
