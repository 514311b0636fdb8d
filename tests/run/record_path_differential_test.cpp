// The byte path against the decoding path on seeded random lists (see
// support/random_list.h) in both encodings, with and without a header line,
// a file of unmatched records, either comparison: the same output files,
// the same report rows and the same outcomes, faults and their messages
// included.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/conversion_run.h"
#include "testing/postal_test_data.h"
#include "testing/random_list.h"
#include "testing/rng.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::readBytes;
using testing::TempDir;

constexpr uint64_t kFirstSeed = 1;
constexpr int kCases = 600;

struct RunCase {
  TextEncoding encoding;
  bool byteOrderMark;
  bool header;
  bool unmatched;
  MatchMode match;
  int fieldCount;
};

RunCase randomRunCase(bench::Rng& rng) {
  RunCase c;
  c.encoding = rng.percent(50) ? TextEncoding::Cp932 : TextEncoding::Utf8;
  c.byteOrderMark = c.encoding == TextEncoding::Utf8 && rng.percent(30);
  c.header = rng.percent(30);
  c.unmatched = rng.percent(60);
  c.match = rng.percent(50) ? MatchMode::Tolerant : MatchMode::Classic;
  c.fieldCount = rng.between(5, 8);
  return c;
}

// A small folder in which the random lists' keys find entries.
void writePostalData(const std::string& folder) {
  std::vector<std::vector<std::string>> entries(kDataFileCount + 1);
  int id = 0;
  for (int k : {1, 3, 13, 23}) {
    for (const std::string& key : testing::keysOf(k)) {
      testing::EntryShape shape;
      shape.cityReading = testing::kCityReadings[static_cast<size_t>(id) % testing::kCityReadings.size()];
      shape.townReading = testing::kTownReadings[static_cast<size_t>(id) % testing::kTownReadings.size()];
      shape.building = id % 5 == 0;
      shape.business = id % 7 == 0;
      entries[static_cast<size_t>(k)].push_back(testing::entryLine(key, ++id, shape));
    }
  }
  testing::writeDataFolder(folder, entries);
}

struct Written {
  RunOutcome outcome;
  std::string output, unmatched;
  std::vector<std::string> reportRows;
};

std::string reasonsText(const ReasonCounts& r) {
  std::string out;
  for (int64_t n : {r.noPostalCode, r.postalCodeUnknown, r.readingDiffers, r.ambiguous, r.businessCode,
                    r.postalCodeRepaired, r.misaligned, r.firstMisalignedRecord, r.firstMisalignedLine,
                    r.alreadyWritten, r.partlyRead, r.postalCodeFixed, r.toCheck})
    out += std::to_string(n) + " ";
  return out;
}

std::string rowText(const ReportRow& row) {
  return std::to_string(row.record) + " " + std::to_string(row.line) + " " +
         std::to_string(static_cast<int>(row.reason)) + " " + toUtf8(row.postalCode) + " " + toUtf8(row.addressAsRead) +
         " " + toUtf8(row.suggestedPostalCode) + " " + toUtf8(row.suggestedAddress) + " " + toUtf8(row.message);
}

class RecordPathDifferential : public ::testing::Test {
 protected:
  void SetUp() override { writePostalData(folder); }

  Written run(const RunCase& c, RecordPath path) {
    std::filesystem::remove(output);
    std::filesystem::remove(unmatched);
    SettingsTexts t;
    t.inputPath = fromUtf8(input);
    t.outputPath = fromUtf8(output);
    t.fieldCount = fromUtf8(std::to_string(c.fieldCount));
    t.postalCodePosition = u"2";
    t.prefecturePosition = u"3";
    t.cityPosition = u"4";
    t.buildingPosition = u"5";
    if (c.fieldCount >= 6) t.companyPosition = u"6";
    t.positionOfFurtherField[1] = fromUtf8(std::to_string(c.fieldCount));
    t.conversionOfFurtherField[1] = u"4";
    RunRequest request;
    request.dataFolder = folder;
    request.recordPath = path;
    request.match = c.match;
    request.header = c.header;
    if (c.unmatched) request.unmatchedPath = unmatched;
    ConversionState s;
    Written w;
    request.onReportRow = [&w](const ReportRow& row) { w.reportRows.push_back(rowText(row)); };
    w.outcome = runConversion(s, t, request);
    if (std::filesystem::exists(output)) w.output = readBytes(output);
    if (std::filesystem::exists(unmatched)) w.unmatched = readBytes(unmatched);
    return w;
  }

  static std::string difference(const Written& bytes, const Written& decoded) {
    const RunOutcome& a = bytes.outcome;
    const RunOutcome& b = decoded.outcome;
    if (a.status != b.status || a.message != b.message)
      return "outcome: " + toUtf8(a.message) + " / " + toUtf8(b.message);
    if (bytes.output != decoded.output) return "output files differ";
    if (bytes.unmatched != decoded.unmatched) return "files of unmatched records differ";
    if (a.recordsRead != b.recordsRead || a.recordsApplied != b.recordsApplied ||
        a.recordsUnmatched != b.recordsUnmatched || a.recordsWritten != b.recordsWritten)
      return "record counts differ";
    if (a.warnings != b.warnings) return "warnings differ";
    if (reasonsText(a.reasons) != reasonsText(b.reasons)) return "reasons counted differently";
    if (bytes.reportRows != decoded.reportRows) return "report rows differ";
    return "";
  }

  TempDir dir;
  std::string folder = dir.file("data");
  std::string input = dir.file("list.csv");
  std::string output = dir.file("out.csv");
  std::string unmatched = dir.file("unmatched.csv");
};

TEST_F(RecordPathDifferential, BytePathWritesWhatTheDecodingPathWrites) {
  int failures = 0;
  int failedRuns = 0;
  for (uint64_t seed = kFirstSeed; seed < kFirstSeed + kCases && failures < 3; ++seed) {
    bench::Rng rng(seed);
    const RunCase c = randomRunCase(rng);
    testing::RandomListShape shape;
    shape.encoding = c.encoding;
    shape.fieldCount = c.fieldCount;
    shape.records = rng.between(0, 25);
    std::string list = testing::randomList(rng, shape);
    if (c.byteOrderMark) list.insert(0, kByteOrderMark);
    std::filesystem::remove(input);
    testing::writeBytes(input, list);
    const Written bytes = run(c, RecordPath::Bytes);
    const Written decoded = run(c, RecordPath::Decode);
    if (decoded.outcome.status != RunOutcome::Status::Finished) ++failedRuns;
    const std::string d = difference(bytes, decoded);
    if (!d.empty()) {
      ADD_FAILURE() << "seed " << seed << ": " << d << "\nlist: " << list;
      ++failures;
    }
  }
  // The lists must reach the faults too, not only clean runs.
  EXPECT_GT(failedRuns, kCases / 20);
  EXPECT_LT(failedRuns, kCases / 2);
}

}  // namespace
}  // namespace zumaro
