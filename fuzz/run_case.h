#pragma once
// A whole run decoded from fuzz bytes: the settings, a small data folder
// and the input list.
//
//   byte 0       the field count n: "5" .. "10", "5.5", "4" or "50"
//   bytes 1..5   the postal, prefecture, city and building positions (1..n)
//                and the company position (0..n)
//   byte 6       bit 0: write the unmatched records too; bit 1: sort the
//                entries of each data file by key; bits 2..4: further pairs
//                used (0..7)
//   per pair     its position (0..n) and its option, some refused
//   next byte    the number of entries (0..63)
//   per entry    three bytes: the data file; the key (low four bits) and a
//                damage (high four bits: most none, else an invalid byte, a
//                lone lead byte, the entry cut short, a blank line before
//                it, quoted fields with a comma and a line end inside, a
//                lone LF or CR as its line end); its shape (city and town
//                readings, business, building)
//   the rest     the input list, as it is
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "run/settings_texts.h"

namespace zumaro::fuzz {

struct RunCase {
  SettingsTexts texts;  // paths left empty
  bool writeUnmatched = false;
  std::array<std::string, kDataFileCount + 1> dataFiles;  // the bytes of 01.dat .. 23.dat
  std::string list;
};

RunCase decodeRunCase(const uint8_t* data, size_t size);

}  // namespace zumaro::fuzz
