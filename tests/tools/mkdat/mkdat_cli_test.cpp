// Black-box tests: they run the built zumaro-mkdat.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;

const std::string kExcerpts = ZUMARO_MKDAT_DATA_DIR;

using Outcome = testing::ProgramOutcome;

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

class MkdatCli : public ::testing::Test {
 protected:
  Outcome run(const std::string& args) {
    return testing::runInFolder(dir.path(), testing::shellQuoted(ZUMARO_MKDAT_EXE) + " " + args);
  }
  testing::TempDir dir;
};

TEST_F(MkdatCli, HelpNamesEveryOption) {
  Outcome o = run("--help");
  EXPECT_EQ(o.code, 0);
  for (const char* option : {"--ken-all", "--jigyosyo", "--output", "--keep-small-kana", "--quiet"})
    EXPECT_TRUE(contains(o.out, option)) << option;
}

TEST_F(MkdatCli, RefusesMissingOptions) {
  Outcome o = run("--output '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 2);
  EXPECT_TRUE(contains(o.err, "--ken-all")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

TEST_F(MkdatCli, PrintsTheSummaryOfABuild) {
  Outcome o = run("--ken-all '" + kExcerpts + "/ken_all.csv' --jigyosyo '" + kExcerpts + "/jigyosyo.csv' -o '" +
                  dir.file("data") + "'");
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "KEN_ALL rows read                  27")) << o.out;
  EXPECT_TRUE(contains(o.out, "rows joined                         6")) << o.out;
  EXPECT_TRUE(contains(o.out, "JIGYOSYO rows read                  4")) << o.out;
  EXPECT_TRUE(contains(o.out, "02.dat       10   0390000-0799999")) << o.out;
  EXPECT_TRUE(contains(o.out, "entries in all                     25")) << o.out;
  EXPECT_TRUE(o.err.empty()) << o.err;  // no progress line off a terminal
  EXPECT_TRUE(fs::exists(dir.file("data/23.dat")));
}

TEST_F(MkdatCli, QuietPrintsNothing) {
  Outcome o = run("-q --ken-all '" + kExcerpts + "/ken_all.csv' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(o.out.empty());
  EXPECT_TRUE(o.err.empty());
}

TEST_F(MkdatCli, NamesFileAndLineOfARowOfTheWrongShape) {
  std::string bad = dir.file("KEN_ALL.CSV");
  testing::writeBytes(bad, testing::readBytes(kExcerpts + "/ken_all.csv") + testing::readBytes(kExcerpts + "/jigyosyo.csv"));
  Outcome o = run("--ken-all '" + bad + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, bad + ", line 28: 13 columns where 15 were expected")) << o.err;
  EXPECT_TRUE(contains(o.err, "nothing written to " + dir.file("data"))) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

TEST_F(MkdatCli, NamesFileAndLineOfBytesThatAreNotCodePage932) {
  std::string bad = dir.file("JIGYOSYO.CSV");
  testing::writeBytes(bad, testing::readBytes(kExcerpts + "/jigyosyo.csv") + "01101,\"\xff\xff\"\r\n");
  Outcome o = run("--ken-all '" + kExcerpts + "/ken_all.csv' --jigyosyo '" + bad + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, bad + ", line 5: bytes that are not code page 932")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

TEST_F(MkdatCli, RefusesAnEmptyFileOrAFolder) {
  testing::writeBytes(dir.file("empty.csv"), "");
  Outcome o = run("--ken-all '" + dir.file("empty.csv") + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, dir.file("empty.csv") + ": holds no rows")) << o.err;
  o = run("--ken-all '" + kExcerpts + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, kExcerpts + ": is a folder, not a file")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

}  // namespace
}  // namespace zumaro
