#include <filesystem>
#include <string>

#include "fuzz/finding.h"
#include "fuzz/run_case.h"
#include "fuzz/run_comparison.h"
#include "fuzz/scratch_folder.h"
#include "fuzz/targets.h"
#include "lookup/data_file.h"
#include "testing/lookup_state.h"

namespace zumaro::fuzz {
namespace fs = std::filesystem;
namespace {

struct RunPaths {
  std::string folder;  // the data files
  std::string list;
  std::string output;
  std::string unmatched;
};

const RunPaths& runPaths() {
  static const RunPaths paths = [] {
    const std::string base = scratchFolder() + "/run";
    fs::create_directories(base + "/data");
    return RunPaths{base + "/data", base + "/list.csv", base + "/out.csv", base + "/unmatched.csv"};
  }();
  return paths;
}

void writeCase(const RunCase& c, const RunPaths& paths) {
  for (int k = 1; k <= kDataFileCount; ++k)
    writeFile(dataFilePath(paths.folder, k), c.dataFiles[static_cast<size_t>(k)]);
  writeFile(paths.list, c.list);
}

struct MethodRun {
  ConversionState state;
  RunOutcome outcome;
  bool outputMade = false;
  std::string output;
  std::string unmatched;
};

void runWith(const RunCase& c, const RunPaths& paths, MatchMode mode, LookupMethod method, MethodRun& run,
             RecordPath path = RecordPath::Bytes) {
  fs::remove(paths.output);
  fs::remove(paths.unmatched);
  SettingsTexts texts = c.texts;
  texts.inputPath = fromUtf8(paths.list);
  texts.outputPath = fromUtf8(paths.output);
  RunRequest request;
  request.dataFolder = paths.folder;
  request.lookup = method;
  request.match = mode;
  request.recordPath = path;
  if (c.writeUnmatched) request.unmatchedPath = paths.unmatched;
  run.outcome = runConversion(run.state, texts, request);
  run.outputMade = fs::exists(paths.output);
  run.output = readFile(paths.output);
  run.unmatched = readFile(paths.unmatched);
}

// A file of no record is empty, or holds only the byte-order mark that an
// input with one passes on.
bool endsAfterARecord(const std::string& file) {
  return file.empty() || file == "\xEF\xBB\xBF" || (file.size() >= 2 && file.compare(file.size() - 2, 2, "\r\n") == 0);
}

// What any run must hold, whichever lookup it used.
void checkOutcome(const MethodRun& run) {
  const RunOutcome& o = run.outcome;
  using Status = RunOutcome::Status;
  require(o.status == Status::Finished || !o.message.empty(), "a refusal or failure without a message");
  require(o.status != Status::Refused || !run.outputMade, "refused settings made an output file");
  require(endsAfterARecord(run.output) && endsAfterARecord(run.unmatched), "a file ends inside a record");
  require(run.state.recordsRead == o.recordsRead, "the record counter does not count the records read");
  if (o.status == Status::Finished) {
    require(o.recordsApplied + o.recordsUnmatched == o.recordsRead, "records are neither matched nor unmatched");
    require(o.recordsWritten == o.recordsRead, "a finished run lost records");
    return;
  }
  // A fault may strike the record read last before it is written.
  require(o.recordsApplied + o.recordsUnmatched <= o.recordsRead && o.recordsWritten <= o.recordsRead,
          "a failed run counts more records than it read");
}

void checkSameOutcome(const RunOutcome& fast, const RunOutcome& scan) {
  require(fast.status == scan.status && fast.errcode == scan.errcode && fast.message == scan.message,
          "fast and scan end differently");
  require(fast.recordsRead == scan.recordsRead && fast.recordsApplied == scan.recordsApplied &&
              fast.recordsUnmatched == scan.recordsUnmatched && fast.recordsWritten == scan.recordsWritten,
          "fast and scan count differently");
  require(fast.warnings == scan.warnings, "fast and scan warn differently");
}

void requireSameState(const std::string& difference) {
  if (!difference.empty()) throw Finding("fast and scan leave different lookup states: " + difference);
}

// A fault in a data file strikes the two lookups at different points of
// their reading, so only the last keys stay comparable; a fault in the list
// or the output strikes between two records.
bool faultInDataFile(const RunOutcome& outcome, const RunPaths& paths) {
  return outcome.status == RunOutcome::Status::Failed &&
         outcome.message.find(fromUtf8(paths.folder + "/")) != Text::npos;
}

}  // namespace

namespace {

RunOutcome runBothLookups(const RunCase& c, const RunPaths& paths, MatchMode mode) {
  MethodRun fast, scan;
  runWith(c, paths, mode, LookupMethod::Fast, fast);
  runWith(c, paths, mode, LookupMethod::Scan, scan);
  checkOutcome(fast);
  checkOutcome(scan);
  checkSameOutcome(fast.outcome, scan.outcome);
  require(fast.outputMade == scan.outputMade && fast.output == scan.output, "fast and scan write different outputs");
  require(fast.unmatched == scan.unmatched, "fast and scan write different unmatched records");
  requireSameState(testing::lastKeyDifference(fast.state, scan.state));
  if (!faultInDataFile(scan.outcome, paths)) {
    requireSameState(testing::entryDifference(fast.state, scan.state));
    requireSameState(testing::recordDifference(fast.state, scan.state));
  }
  // The byte path against the decoding path, both with the fast lookup.
  MethodRun decoded;
  runWith(c, paths, mode, LookupMethod::Fast, decoded, RecordPath::Decode);
  require(decoded.outcome.status == fast.outcome.status && decoded.outcome.message == fast.outcome.message &&
              decoded.outcome.recordsRead == fast.outcome.recordsRead &&
              decoded.outcome.recordsApplied == fast.outcome.recordsApplied &&
              decoded.outcome.recordsWritten == fast.outcome.recordsWritten &&
              decoded.outcome.warnings == fast.outcome.warnings,
          "the byte and decoding paths end differently");
  require(decoded.outputMade == fast.outputMade && decoded.output == fast.output && decoded.unmatched == fast.unmatched,
          "the byte and decoding paths write different files");
  return scan.outcome;
}

}  // namespace

RunOutcome runBothWays(const uint8_t* data, size_t size) {
  const RunCase c = decodeRunCase(data, size);
  const RunPaths& paths = runPaths();
  writeCase(c, paths);
  runBothLookups(c, paths, MatchMode::Tolerant);
  return runBothLookups(c, paths, MatchMode::Classic);
}

void fuzzRun(const uint8_t* data, size_t size) { runBothWays(data, size); }

}  // namespace zumaro::fuzz
