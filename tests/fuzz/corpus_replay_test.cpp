// Every seed of the fuzz corpora and every kept finding, run through its
// target in an ordinary build: a seed that no longer runs clean, or a
// finding that comes back, fails here without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/run_comparison.h"
#include "fuzz/targets.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {
namespace fs = std::filesystem;

using fuzz::NamedTarget;

// The files of fuzz/<kind>/<target>, in name order.
std::vector<fs::path> filesOf(const std::string& kind, const std::string& target) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(ZUMARO_FUZZ_DIR) / kind / target;
  if (!fs::is_directory(folder)) return files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string bytesOf(const fs::path& file) { return testing::readBytes(file.string()); }

const uint8_t* dataOf(const std::string& bytes) { return reinterpret_cast<const uint8_t*>(bytes.data()); }

class CorpusReplay : public ::testing::TestWithParam<NamedTarget> {};

TEST_P(CorpusReplay, EverySeedAndKeptFindingRunsClean) {
  const NamedTarget& target = GetParam();
  std::vector<fs::path> files = filesOf("corpus", target.name);
  EXPECT_FALSE(files.empty()) << "fuzz/corpus/" << target.name << " holds no seeds";
  for (const fs::path& finding : filesOf("regressions", target.name)) files.push_back(finding);
  for (const fs::path& file : files) {
    const std::string bytes = bytesOf(file);
    try {
      target.run(dataOf(bytes), bytes.size());
    } catch (const std::exception& e) {
      ADD_FAILURE() << file.string() << ": " << e.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(fuzz::kTargets),
                         [](const ::testing::TestParamInfo<NamedTarget>& info) {
                           return std::string(info.param.name);
                         });

// The run seeds are there to lead the fuzzer to matched records, to faults
// of the data files and the list, and to refused settings; a change of the
// case format that leaves them meaningless shows here.
TEST(RunCorpus, SeedsReachMatchesFaultsRefusalsAndShortRecords) {
  int matched = 0, failed = 0, refused = 0, warned = 0;
  for (const fs::path& file : filesOf("corpus", "run")) {
    const std::string bytes = bytesOf(file);
    const RunOutcome outcome = fuzz::runBothWays(dataOf(bytes), bytes.size());
    matched += outcome.recordsApplied > 0;
    failed += outcome.status == RunOutcome::Status::Failed;
    refused += outcome.status == RunOutcome::Status::Refused;
    warned += !outcome.warnings.empty();
  }
  EXPECT_GE(matched, 5);
  EXPECT_GE(failed, 3);
  EXPECT_GE(refused, 1);
  EXPECT_GE(warned, 1);
}

}  // namespace
}  // namespace zumaro
