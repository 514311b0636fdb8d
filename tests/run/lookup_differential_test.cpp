// The fast lookup against the sequential scan on seeded random cases: random
// data folders (keys out of order, shared keys, files cut short or with bytes
// that are not code page 932, blank entries) and random lists (repeated and
// unknown keys). Both must leave the same lookup state after every record and
// write the same output files, over two runs that share one conversion state,
// with either comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lookup/lookup_method.h"
#include "lookup/range_table.h"
#include "run/conversion_run.h"
#include "run/record_lookup.h"
#include "state/failure.h"
#include "testing/lookup_state.h"
#include "testing/postal_test_data.h"
#include "testing/rng.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::cp932;
using testing::entryLine;
using testing::kCityReadings;
using testing::keysOf;
using testing::kTownReadings;
using testing::readBytes;
using testing::stateDifference;
using testing::TempDir;
using testing::writeBytes;

constexpr uint64_t kFirstSeed = 1;
constexpr int kCases = 2000;

using bench::Rng;

// Files with entries; the others stay empty.
const std::vector<int> kActiveFiles = {1, 3, 13, 23};

struct DataFileCase {
  std::vector<std::string> lines;  // UTF-8 entries
  int invalidLine = -1;            // a line that gets a byte no code page 932 text has
  bool cutShort = false;           // the file ends inside an entry
  bool quoted = false;             // every field in quotes, as the data file maker writes them
};

struct Case {
  std::vector<DataFileCase> files = std::vector<DataFileCase>(kDataFileCount + 1);
  std::vector<std::string> records;  // UTF-8, five fields each
};

std::string randomEntryLine(Rng& rng, const std::string& key, int id) {
  testing::EntryShape shape;
  shape.business = rng.percent(10);
  shape.building = rng.percent(20);
  shape.cityReading = rng.pick(kCityReadings);
  shape.townReading = rng.pick(kTownReadings);
  return entryLine(key, id, shape);
}

DataFileCase randomDataFile(Rng& rng, int k) {
  DataFileCase file;
  const std::vector<std::string> keys = keysOf(k);
  std::vector<std::string> chosen;
  for (int i = rng.below(14); i > 0; --i) chosen.push_back(rng.pick(keys));
  std::sort(chosen.begin(), chosen.end());
  // Most files are in order; the others have a few entries moved.
  if (rng.percent(40)) {
    for (int swaps = 1 + rng.below(3); swaps > 0 && chosen.size() > 1; --swaps) {
      // One draw per statement, so the cases do not depend on the compiler.
      const size_t a = rng.below(chosen.size());
      const size_t b = rng.below(chosen.size());
      std::swap(chosen[a], chosen[b]);
    }
  }
  int id = 0;
  for (const std::string& key : chosen) {
    if (rng.percent(3)) file.lines.push_back("");  // a blank entry: every field empty
    file.lines.push_back(randomEntryLine(rng, key, ++id));
  }
  if (!file.lines.empty() && rng.percent(6)) file.invalidLine = rng.below(static_cast<int>(file.lines.size()));
  file.cutShort = rng.percent(8);
  return file;
}

std::string randomRecord(Rng& rng, int id, const std::vector<std::string>& knownKeys) {
  std::string key = rng.percent(80) ? rng.pick(knownKeys)
                                    : rng.pick(std::vector<std::string>{"0009999", "9999998", "1000000", "", "abc"});
  if (key.size() == 7 && rng.percent(20)) key.insert(3, "-");
  std::string city = rng.pick(kCityReadings);
  city += rng.pick(kTownReadings);
  if (rng.percent(70)) city += "1-2";
  std::string pref = rng.percent(30) ? "" : "ﾄｳｷﾖｳﾄ";
  std::string building = rng.percent(30) ? "ﾋﾞﾙ" : (rng.percent(20) ? "ｶｲ" : "");
  return std::to_string(id) + "," + key + "," + pref + "," + city + "," + building;
}

bool sevenDigits(const std::string& key) {
  return key.size() == 7 && std::all_of(key.begin(), key.end(), [](char d) { return d >= '0' && d <= '9'; });
}

// Only seven-digit codes, in order, as postal files hold them: the fast
// lookup finds these through its key table and the prefetch ahead.
DataFileCase postalOnlyFile(Rng& rng, int k) {
  std::vector<std::string> codes;
  for (const std::string& key : keysOf(k))
    if (sevenDigits(key)) codes.push_back(key);
  std::vector<std::string> chosen;
  for (int i = 1 + rng.below(20); i > 0; --i) chosen.push_back(rng.pick(codes));
  std::sort(chosen.begin(), chosen.end());
  DataFileCase file;
  int id = 0;
  for (const std::string& key : chosen) file.lines.push_back(randomEntryLine(rng, key, ++id));
  return file;
}

// A seven-digit code beside those of file k: before, between or after them.
std::string codeBeside(Rng& rng, int k) {
  const std::string base = toUtf8(postalRange(k).lower).substr(0, 5);
  return base + rng.pick(std::vector<std::string>{"10", "14", "15", "17", "19"});
}

Case randomCase(uint64_t seed) {
  Rng rng(seed);
  Case c;
  std::vector<std::string> knownKeys;
  for (int k : kActiveFiles) {
    if (rng.percent(25)) continue;
    c.files[static_cast<size_t>(k)] = randomDataFile(rng, k);
    for (const std::string& key : keysOf(k)) knownKeys.push_back(key);
  }
  if (knownKeys.empty()) knownKeys = keysOf(3);
  // Drawn apart, so that the cases drawn before quoting came in stay as they were.
  Rng quoting(seed ^ 0x9E3779B97F4A7C15ULL);
  for (DataFileCase& file : c.files) file.quoted = quoting.percent(50);
  for (int i = rng.below(30); i > 0; --i)
    c.records.push_back(randomRecord(rng, static_cast<int>(c.records.size()) + 1, knownKeys));
  // Drawn apart too: some files postal-only, some records' codes missing
  // from between a file's codes.
  Rng postal(seed ^ 0xD1B54A32D192ED03ULL);
  for (int k : kActiveFiles)
    if (postal.percent(35)) c.files[static_cast<size_t>(k)] = postalOnlyFile(postal, k);
  for (std::string& record : c.records) {
    if (!postal.percent(25)) continue;
    const size_t keyStart = record.find(',') + 1;
    record.replace(keyStart, record.find(',', keyStart) - keyStart, codeBeside(postal, postal.pick(kActiveFiles)));
  }
  return c;
}

// "a,b" as "\"a\",\"b\""; the lines hold no quotes.
std::string quotedFields(const std::string& line) {
  std::string out = "\"";
  for (char c : line) {
    if (c == ',') {
      out += "\",\"";
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string fileBytes(const DataFileCase& file) {
  auto line = [&](const std::string& utf8) { return cp932(file.quoted ? quotedFields(utf8) : utf8); };
  std::string bytes;
  for (size_t i = 0; i < file.lines.size(); ++i) {
    bytes += line(file.lines[i]);
    if (static_cast<int>(i) == file.invalidLine) {
      // Inside the last field's quotes when it has them.
      if (file.quoted) bytes.pop_back();
      bytes += '\x80';
      if (file.quoted) bytes += '"';
    }
    bytes += "\r\n";
  }
  if (file.cutShort) {
    bytes += line("1234567,東京都,短い");
    bytes += "\r\n";
  }
  return bytes;
}

std::string describe(uint64_t seed, const Case& c) {
  std::ostringstream out;
  out << "seed " << seed << "\n";
  for (int k = 1; k <= kDataFileCount; ++k) {
    const DataFileCase& f = c.files[static_cast<size_t>(k)];
    if (f.lines.empty() && !f.cutShort) continue;
    out << "file " << k
        << (f.invalidLine >= 0 ? " (invalid byte after line " + std::to_string(f.invalidLine + 1) + ")" : "")
        << (f.cutShort ? " (cut short at the end)" : "") << (f.quoted ? " (quoted)" : "") << ":\n";
    for (const std::string& line : f.lines) out << "  " << line << "\n";
  }
  out << "records:\n";
  for (const std::string& r : c.records) out << "  " << r << "\n";
  return out.str();
}

class LookupDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    writeDataFolder(Case());
    texts.inputPath = fromUtf8(input);
    texts.fieldCount = u"5";
    texts.postalCodePosition = u"2";
    texts.prefecturePosition = u"3";
    texts.cityPosition = u"4";
    texts.buildingPosition = u"5";
    texts.positionOfFurtherField[1] = u"1";
    texts.conversionOfFurtherField[1] = u"4";
  }

  // Writes only the files that changed since the last case.
  void writeDataFolder(const Case& c) {
    std::filesystem::create_directories(folder);
    for (int k = 1; k <= kDataFileCount; ++k) {
      std::string bytes = fileBytes(c.files[static_cast<size_t>(k)]);
      if (written[static_cast<size_t>(k)] == bytes && std::filesystem::exists(dataFilePath(folder, k))) continue;
      writeFresh(dataFilePath(folder, k), bytes);
      written[static_cast<size_t>(k)] = std::move(bytes);
    }
  }

  // The search of every record, record by record, by both methods; the
  // lookups are opened again for a second pass so the last keys carry over.
  std::string compareSearches(const Case& c, MatchMode mode) {
    ConversionState fast, scan;
    for (ConversionState* s : {&fast, &scan}) {
      s->matchMode = mode;
      s->settings.fieldCount = 5;
      s->settings.postalCodePosition = 2;
      s->settings.prefecturePosition = 3;
      s->settings.cityPosition = 4;
      s->settings.buildingPosition = 5;
    }
    for (int pass = 0; pass < 2; ++pass) {
      auto fastLookup = makeLookup(LookupMethod::Fast, folder);
      auto scanLookup = makeLookup(LookupMethod::Scan, folder);
      fastLookup->open();
      scanLookup->open();
      for (size_t r = 0; r < c.records.size(); ++r) {
        std::string fastFailure, scanFailure;
        search(fast, *fastLookup, c.records[r], fastFailure);
        search(scan, *scanLookup, c.records[r], scanFailure);
        if (fastFailure != scanFailure)
          return "record " + std::to_string(r + 1) + ": failure " + fastFailure + " / " + scanFailure;
        if (!scanFailure.empty()) {
          // The entry fields after a fault are never read again (the next
          // search overwrites them first); the last keys carry over.
          fast.entryKey = scan.entryKey;
          fast.entryColumn = scan.entryColumn;
        }
        std::string difference = stateDifference(fast, scan);
        if (!difference.empty())
          return "pass " + std::to_string(pass + 1) + ", record " + std::to_string(r + 1) + ": " + difference;
        if (!scanFailure.empty()) break;
      }
      fastLookup->close();
      scanLookup->close();
    }
    return "";
  }

  static void search(ConversionState& s, DataLookup& lookup, const std::string& record, std::string& failure) {
    std::vector<std::string> fields;
    std::stringstream in(record);
    for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
    fields.resize(5);
    for (size_t i = 0; i < 5; ++i) s.recordField[i + 1] = fromUtf8(fields[i]);
    try {
      lookUpRecord(s, lookup);
    } catch (const RunFailure& e) {
      failure = toUtf8(e.message);
    }
  }

  // Two runs of the whole conversion per method, each method with a state
  // of its own; the output files and the outcomes must agree.
  std::string compareRuns(const Case& c) {
    std::string list;
    for (const std::string& r : c.records) list += cp932(r) + "\r\n";
    writeFresh(input, list);
    for (MatchMode mode : {MatchMode::Tolerant, MatchMode::Classic}) {
      std::string difference = compareRunsIn(mode);
      if (!difference.empty()) return (mode == MatchMode::Classic ? "classic, " : "tolerant, ") + difference;
    }
    return "";
  }

  std::string compareRunsIn(MatchMode mode) {
    ConversionState fast, scan;
    for (int run = 1; run <= 2; ++run) {
      RunOutcome a = runWith(fast, LookupMethod::Fast, mode);
      const std::string fastOutput = readBytes(output);
      RunOutcome b = runWith(scan, LookupMethod::Scan, mode);
      const std::string at = "run " + std::to_string(run) + ": ";
      if (readBytes(output) != fastOutput) return at + "output files differ";
      if (a.status != b.status || a.message != b.message)
        return at + "outcome " + toUtf8(a.message) + " / " + toUtf8(b.message);
      if (a.recordsRead != b.recordsRead || a.recordsApplied != b.recordsApplied ||
          a.recordsWritten != b.recordsWritten)
        return at + "record counts differ";
      if (a.warnings != b.warnings) return at + "warnings differ";
    }
    return "";
  }

  // A new file rather than one emptied: ext4 flushes a file that was
  // emptied and written again when it is closed, which makes thousands of
  // cases slow on a busy disk.
  static void writeFresh(const std::string& path, const std::string& bytes) {
    std::filesystem::remove(path);
    writeBytes(path, bytes);
  }

  RunOutcome runWith(ConversionState& s, LookupMethod method, MatchMode mode) {
    std::filesystem::remove(output);
    SettingsTexts t = texts;
    t.outputPath = fromUtf8(output);
    RunRequest request;
    request.dataFolder = folder;
    request.lookup = method;
    request.match = mode;
    return runConversion(s, t, request);
  }

  TempDir dir;
  std::string folder = dir.file("data");
  std::string input = dir.file("list.csv");
  std::string output = dir.file("out.csv");
  std::vector<std::string> written = std::vector<std::string>(kDataFileCount + 1);
  SettingsTexts texts;
};

TEST_F(LookupDifferential, FastLookupReadsWhatTheScanReads) {
  int failures = 0;
  for (uint64_t seed = kFirstSeed; seed < kFirstSeed + kCases && failures < 3; ++seed) {
    const Case c = randomCase(seed);
    writeDataFolder(c);
    // The searches alone in one comparison or the other, by turns.
    std::string difference = compareSearches(c, seed % 2 == 0 ? MatchMode::Tolerant : MatchMode::Classic);
    if (difference.empty()) difference = compareRuns(c);
    if (!difference.empty()) {
      ADD_FAILURE() << difference << "\n" << describe(seed, c);
      ++failures;
    }
  }
}

}  // namespace
}  // namespace zumaro
