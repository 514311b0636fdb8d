// Black-box tests: they run the built zumaro-mkdat.
#include <gtest/gtest.h>

#include <filesystem>

#include "testing/program_run.h"
#include "testing/temp_dir.h"

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
  for (const char* option :
       {"--ken-all", "--jigyosyo", "--output", "--keep-small-kana", "--quiet", "--download", "--ken-all-url",
        "--jigyosyo-url", "--utf8-url", "--source-url", "--utf8", "--ca-file", "--timeout", "--progress-lines"})
    EXPECT_TRUE(contains(o.out, option)) << option;
}

TEST_F(MkdatCli, RefusesMissingOptions) {
  Outcome o = run("--output '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 2);
  EXPECT_TRUE(contains(o.err, "--ken-all")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
  // Download options only with --download, and never with files given.
  for (const char* args : {"--utf8 --ken-all k.zip", "--download --ken-all k.zip"})
    EXPECT_TRUE(run(args).code == 2 && contains(run(args).err, "--download")) << args;
}

TEST_F(MkdatCli, PrintsTheSummaryOfABuild) {
  Outcome o = run("--ken-all '" + kExcerpts + "/ken_all.csv' --jigyosyo '" + kExcerpts + "/jigyosyo.csv' -o '" +
                  dir.file("data") + "'");
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "\n  KEN_ALLの読み込み行数: 27\n")) << o.out;
  EXPECT_TRUE(contains(o.out, "\n  結合した行数: 6（複数の行に分かれた町域）\n")) << o.out;
  EXPECT_TRUE(contains(o.out, "\n  JIGYOSYOの読み込み行数: 4\n")) << o.out;
  EXPECT_TRUE(contains(o.out, "\n    02.dat       10   0390000-0799999\n")) << o.out;
  EXPECT_TRUE(contains(o.out, "\n  合計: 25件\n")) << o.out;
  EXPECT_TRUE(o.err.empty()) << o.err;  // no progress line off a terminal
  EXPECT_TRUE(fs::exists(dir.file("data/23.dat")));
}

TEST_F(MkdatCli, WithoutOutputBuildsTheUsersOwnFolder) {
  const std::string kenAll = " --ken-all '" + kExcerpts + "/ken_all.csv'";
  Outcome o = testing::runInFolder(dir.path(), "env XDG_DATA_HOME='" + dir.file("home/.local/share") + "' " +
                                                   testing::shellQuoted(ZUMARO_MKDAT_EXE) + kenAll);
  ASSERT_EQ(o.code, 0) << o.err;
  const std::string folder = dir.file("home/.local/share/zumaro");
  EXPECT_EQ(o.out.rfind("zumaro-mkdat: " + folder + " に 01.dat .. 23.dat と zumaro-data.txt を書き込みました（", 0),
            0u)
      << o.out;
  EXPECT_TRUE(fs::exists(folder + "/23.dat"));
  EXPECT_TRUE(fs::exists(folder + "/zumaro-data.txt"));

  o = testing::runInFolder(dir.path(),
                           "env -u XDG_DATA_HOME -u HOME " + testing::shellQuoted(ZUMARO_MKDAT_EXE) + kenAll);
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err,
            "エラーメッセージ: 利用者の郵便番号データのフォルダが決まりません（HOME も XDG_DATA_HOME もありません）。"
            "--output で指定して下さい。\n");
}

TEST_F(MkdatCli, QuietPrintsNothing) {
  Outcome o = run("-q --ken-all '" + kExcerpts + "/ken_all.csv' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 0);
  EXPECT_TRUE(o.out.empty());
  EXPECT_TRUE(o.err.empty());
}

TEST_F(MkdatCli, NamesFileAndLineOfARowOfTheWrongShape) {
  std::string bad = dir.file("KEN_ALL.CSV");
  testing::writeBytes(bad,
                      testing::readBytes(kExcerpts + "/ken_all.csv") + testing::readBytes(kExcerpts + "/jigyosyo.csv"));
  Outcome o = run("--ken-all '" + bad + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "エラーメッセージ: " + bad + " の28行目の項目数が13個です（15個のはずです）。\n" + dir.file("data") +
                       " には何も書き込んでいません。\n");
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

TEST_F(MkdatCli, NamesFileAndLineOfBytesThatAreNotCodePage932) {
  std::string bad = dir.file("JIGYOSYO.CSV");
  testing::writeBytes(bad, testing::readBytes(kExcerpts + "/jigyosyo.csv") + "01101,\"\xff\xff\"\r\n");
  Outcome o = run("--ken-all '" + kExcerpts + "/ken_all.csv' --jigyosyo '" + bad + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, bad + " の5行目にコードページ932(Shift-JIS)として読めないバイトがあります")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

TEST_F(MkdatCli, RefusesAnEmptyFileOrAFolder) {
  testing::writeBytes(dir.file("empty.csv"), "");
  Outcome o = run("--ken-all '" + dir.file("empty.csv") + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err, "エラーメッセージ: " + dir.file("empty.csv") + " に行がありません。\n" + dir.file("data") +
                       " には何も書き込んでいません。\n");
  o = run("--ken-all '" + kExcerpts + "' -o '" + dir.file("data") + "'");
  EXPECT_EQ(o.code, 1);
  EXPECT_TRUE(contains(o.err, kExcerpts + " はフォルダです。ファイルを指定して下さい。")) << o.err;
  EXPECT_FALSE(fs::exists(dir.file("data")));
}

}  // namespace
}  // namespace zumaro
