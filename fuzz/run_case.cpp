#include "fuzz/run_case.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "fuzz/byte_reader.h"
#include "lookup/range_table.h"
#include "testing/postal_test_data.h"
#include "text/codepage.h"

namespace zumaro::fuzz {
namespace {

struct FieldCount {
  const char16_t* text;
  int value;  // what the text stands for
};

const std::vector<FieldCount> kFieldCounts = {{u"5", 5},   {u"6", 6},   {u"7", 7}, {u"8", 8},  {u"9", 9},
                                              {u"10", 10}, {u"5.5", 6}, {u"4", 4}, {u"50", 50}};
// Sums of the conversion codes, and three that are none (12, 48, 64).
const std::vector<int> kOptions = {0, 1, 2, 3, 4, 8, 16, 32, 5, 7, 11, 19, 35, 43, 51, 12, 48, 64};

enum Damage : uint8_t {
  kInvalidByte = 9,
  kLoneLeadByte,
  kCutShort,
  kBlankLineBefore,
  kQuotedFields,
  kLoneLineFeed,
  kLoneCarriageReturn,
};

constexpr int kMostEntries = 64;
constexpr size_t kMostPairs = 8;

Text number(int value) { return fromUtf8(std::to_string(value)); }

// Returns the flag byte, which the data folder reads too.
uint8_t decodeSettings(ByteReader& in, RunCase& c) {
  const FieldCount& count = in.pick(kFieldCounts);
  const int n = count.value;
  SettingsTexts& t = c.texts;
  t.fieldCount = count.text;
  for (Text* position : {&t.postalCodePosition, &t.prefecturePosition, &t.cityPosition, &t.buildingPosition})
    *position = number(1 + in.byte() % n);
  t.companyPosition = number(in.byte() % (n + 1));
  const uint8_t flags = in.byte();
  c.writeUnmatched = flags & 1;
  const size_t pairs = (flags >> 2) % kMostPairs;
  for (size_t k = 1; k <= pairs; ++k) {
    t.positionOfFurtherField[k] = number(in.byte() % (n + 1));
    t.conversionOfFurtherField[k] = number(in.pick(kOptions));
  }
  return flags;
}

std::string cp932(const std::string& utf8) {
  std::string bytes;
  size_t bad = 0;
  CodePage932::instance().encode(fromUtf8(utf8), bytes, bad);
  return bytes;
}

// The key of file k chosen by four bits: one of the shared test keys, or the
// file's bounds, or an empty key.
std::string keyFor(int k, int choice) {
  std::vector<std::string> keys = testing::keysOf(k);
  keys.push_back(toUtf8(postalRange(k).lower));
  keys.push_back(toUtf8(postalRange(k).upper));
  keys.push_back("");
  return keys[static_cast<size_t>(choice) % keys.size()];
}

testing::EntryShape shapeFrom(uint8_t bits) {
  testing::EntryShape shape;
  shape.cityReading = testing::kCityReadings[(bits & 7) % testing::kCityReadings.size()];
  shape.townReading = testing::kTownReadings[(bits >> 3) % testing::kTownReadings.size()];
  shape.business = bits & 0x20;
  shape.building = bits & 0x40;
  return shape;
}

std::vector<std::string> splitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t from = 0;
  for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
    fields.push_back(line.substr(from, comma - from));
  fields.push_back(line.substr(from));
  return fields;
}

std::string joinFields(const std::vector<std::string>& fields, size_t count) {
  std::string line = fields[0];
  for (size_t i = 1; i < count && i < fields.size(); ++i) line += "," + fields[i];
  return line;
}

// The written city (field 3) and company (field 6) quoted, with a comma and
// a line end inside the city.
std::string withQuotedFields(const std::string& line) {
  std::vector<std::string> fields = splitFields(line);
  fields[2] = "\"" + fields[2] + ",\r\n\"";
  fields[5] = "\"" + fields[5] + "\"";
  return joinFields(fields, fields.size());
}

std::string entryBytes(const std::string& line, uint8_t damage) {
  switch (damage) {
    case kInvalidByte:
      return cp932(line) + "\x80\r\n";
    case kLoneLeadByte:
      return cp932(line) + "\x81";
    case kCutShort:
      return cp932(joinFields(splitFields(line), 4)) + "\r\n";
    case kBlankLineBefore:
      return "\r\n" + cp932(line) + "\r\n";
    case kQuotedFields:
      return cp932(withQuotedFields(line)) + "\r\n";
    case kLoneLineFeed:
      return cp932(line) + "\n";
    case kLoneCarriageReturn:
      return cp932(line) + "\r";
    default:
      return cp932(line) + "\r\n";
  }
}

void decodeDataFolder(ByteReader& in, RunCase& c, bool sortByKey) {
  // Per file: the key and bytes of each entry, in the order given.
  std::array<std::vector<std::pair<std::string, std::string>>, kDataFileCount + 1> files;
  const int entries = in.byte() % kMostEntries;
  for (int id = 1; id <= entries; ++id) {
    const int k = 1 + in.byte() % kDataFileCount;
    const uint8_t keyAndDamage = in.byte();
    const std::string key = keyFor(k, keyAndDamage & 0x0F);
    const std::string line = testing::entryLine(key, id, shapeFrom(in.byte()));
    files[static_cast<size_t>(k)].emplace_back(key, entryBytes(line, keyAndDamage >> 4));
  }
  for (int k = 1; k <= kDataFileCount; ++k) {
    auto& file = files[static_cast<size_t>(k)];
    // UTF-8 byte order is the character-code order of these keys.
    if (sortByKey)
      std::stable_sort(file.begin(), file.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : file) c.dataFiles[static_cast<size_t>(k)] += entry.second;
  }
}

}  // namespace

RunCase decodeRunCase(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  RunCase c;
  const uint8_t flags = decodeSettings(in, c);
  decodeDataFolder(in, c, flags & 2);
  c.list = in.rest();
  return c;
}

}  // namespace zumaro::fuzz
