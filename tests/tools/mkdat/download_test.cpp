// zumaro-mkdat --download against a local stand-in for Japan Post
// (download_server.py): nothing leaves the machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "testing/program_run.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/download_server.h"
#include "tools/mkdat/mkdat_test_support.h"
#include "tools/mkdat/source_file.h"
#include "tools/mkdat/utf8_edition_maker.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using testing::shellQuoted;

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

// Every file of `folder`, hidden ones too, with its bytes; the manifest
// without the time of its build.
std::map<std::string, std::string> filesOf(const std::string& folder) {
  std::map<std::string, std::string> all;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::ostringstream bytes;
    bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    std::string text = bytes.str();
    if (const size_t at = text.find("built-at = "); at != std::string::npos) text.erase(at, text.find('\n', at) - at);
    all[entry.path().lexically_relative(folder).string()] = text;
  }
  return all;
}

class Download : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir.file("tmp")); }
  // Temporary files go to tmp/ of the test's folder, which must end empty.
  // The server's authority is trusted unless `args` name another.
  testing::ProgramOutcome download(const std::string& args, const std::string& before = "") {
    const std::string ca = contains(args, "--ca-file") ? "" : " --ca-file " + shellQuoted(server.caFile);
    return testing::runInFolder(
        dir.path(), before + "env TMPDIR=tmp " + shellQuoted(ZUMARO_MKDAT_EXE) + " --download" + ca + " " + args);
  }
  // A copy of the build tree's folder, built by path from the same zip files, made older.
  std::string olderFolder() {
    fs::copy(ZUMARO_BUILT_DATA_DIR, folder);
    testing::writeBytes(folder + "/zumaro-data.txt", "data-date = 2026-04-28\nentries = 146563\n");
    return folder;
  }
  testing::TempDir dir;
  testing::DownloadServer server{ZUMARO_BUNDLED_JAPANPOST_DIR, dir.file("")};
  const std::string folder = dir.file("data");
};

TEST_F(Download, BuildsWhatTheFilesByPathBuildAndThenFindsItCurrent) {
  testing::ProgramOutcome o = download("--source-url " + server.https("ok") + " -o data");
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "変更点: 置き換える郵便番号データがないため、比べていません。\n")) << o.out;
  EXPECT_EQ(filesOf(folder), filesOf(ZUMARO_BUILT_DATA_DIR));
  // Again, over plain HTTP as the address says: nothing to do.
  const auto before = filesOf(folder);
  o = download("--source-url " + server.http("ok") + " -o data");
  EXPECT_EQ(o.out, "zumaro-mkdat: 郵便番号データは最新です（data、2026-05-26）。何も変更していません。\n");
  EXPECT_EQ(filesOf(folder), before);
  // A user without a folder of their own is compared with the one the programs used.
  o = download("--source-url " + server.https("ok"), "XDG_DATA_HOME=" + shellQuoted(dir.file("xdg")) + " ");
  EXPECT_TRUE(contains(o.out, "最新です（" ZUMARO_BUILT_DATA_DIR "、2026-05-26）")) << o.out;
  EXPECT_FALSE(fs::exists(dir.file("xdg/zumaro")));
  EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
}

TEST_F(Download, TheUtf8EditionBuildsTheSameDataFiles) {
  // A server of its own, whose folder holds the UTF-8 edition made from the bundled KEN_ALL.
  const std::string zips = dir.file("utf8-zips"), work = dir.file("utf8-server");
  fs::create_directories(zips);
  fs::create_directories(work);
  fs::copy(ZUMARO_BUNDLED_JAPANPOST_DIR "/jigyosyo.zip", zips + "/jigyosyo.zip");
  const std::string kenAll = mkdat::loadSourceFile(ZUMARO_BUNDLED_JAPANPOST_DIR "/ken_all.zip").bytes;
  testing::writeZip(zips + "/utf_ken_all.zip", {{"utf_ken_all.csv", testing::makeUtf8Edition(kenAll)}});
  const testing::DownloadServer utf8Server{zips, work};

  testing::ProgramOutcome o = download("--utf8 --ca-file " + shellQuoted(utf8Server.caFile) + " --source-url " +
                                       utf8Server.https("ok") + " -o data");
  ASSERT_EQ(o.code, 0) << o.err;
  auto got = filesOf(folder), built = filesOf(ZUMARO_BUILT_DATA_DIR);
  EXPECT_TRUE(contains(got["zumaro-data.txt"], "utf_ken_all.csv")) << got["zumaro-data.txt"];
  got.erase("zumaro-data.txt");
  built.erase("zumaro-data.txt");
  EXPECT_EQ(got, built);
}

TEST_F(Download, TellsWhatChangedAgainstTheFolderItReplaces) {
  // Without the first entry, the only one of its code, and with one of a code gone since.
  const std::string first = filesOf(olderFolder())["01.dat"];
  ASSERT_NE(first.substr(0, 10), first.substr(first.find('\n') + 1, 10));
  testing::writeBytes(folder + "/01.dat", first.substr(first.find('\n') + 1));
  std::ofstream(folder + "/23.dat", std::ios::app)
      << "\"9999998\",\"X\",\"Y\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

  testing::ProgramOutcome o = download("--source-url " + server.https("ok") + " -o data");
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out,
                       "\n変更点（data と比べて）:\n  データの日付: 2026-04-28 → 2026-05-26\n"
                       "  郵便番号: 1件追加、1件削除\n  住所（郵便番号と書き方）: 1件追加、1件削除\n"))
      << o.out;
  EXPECT_EQ(filesOf(folder), filesOf(ZUMARO_BUILT_DATA_DIR));
  EXPECT_EQ(download("--source-url " + server.https("ok") + " -q -o data").out, "");
}

// Each names what failed and where, and leaves the folder and no temporary file.
TEST_F(Download, EachFaultIsToldAndChangesNothing) {
  const std::string page = "から届いたのはzipファイルではありません（text/html）。";
  const std::string ok = server.https("ok");
  struct Fault {
    std::string args, where, what = "", before = "";
  };
  const Fault faults[] = {
      {"--source-url https://127.0.0.1:1/",
       "https://127.0.0.1:1/ken_all.zip をダウンロードできません（接続できません: "},
      {"--timeout 1 --source-url " + server.https("silent"),
       server.https("silent") + "ken_all.zip をダウンロードできません（応答がないまま時間切れになりました: "},
      {"--source-url " + server.https("404"), server.https("404") + "ken_all.zip", "HTTP 404）。"},
      {"--jigyosyo-url " + server.https("500") + "jigyosyo.zip --source-url " + ok,
       server.https("500") + "jigyosyo.zip", "HTTP 500）。"},
      {"--source-url " + server.https("html"), server.https("html") + "ken_all.zip " + page},
      {"--source-url " + server.https("redirect"),
       server.https("redirect") + "ken_all.zip（転送先 " + server.https("html") + "ken_all.zip） " + page},
      {"--source-url " + server.https("downgrade"), server.https("downgrade") + "ken_all.zip",
       "HTTPS 以外の接続は使いません"},
      {"--ca-file /dev/null --source-url " + ok, ok + "ken_all.zip", "サーバーの証明書を確認できません"},
      {"--source-url " + server.https("truncated"),
       server.https("truncated") + "ken_all.zip をzipファイルとして読めません"},
      {"--source-url " + server.https("nocsv"),
       server.https("nocsv") + "ken_all.zip には.csvファイルが1つだけあるはずですが、0個あります。"},
      {"--utf8 --source-url " + ok, ok + "utf_ken_all.zip", "HTTP 404"},
      // A full disk: files may not grow past 500 blocks, far less than ken_all.zip.
      {"--source-url " + ok, ok + "ken_all.zip を ", "に書き込めません（File too large）。",
       "trap '' XFSZ; ulimit -f 500; "},
  };
  const auto kept = filesOf(olderFolder());
  for (const auto& [args, where, what, before] : faults) {
    SCOPED_TRACE(before + args);
    testing::ProgramOutcome o = download(args + " -o data", before);
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(contains(o.err, "エラーメッセージ: " + where) && contains(o.err, what)) << o.err;
    EXPECT_TRUE(o.err.ends_with("\ndata には何も書き込んでいません。\n")) << o.err;
    EXPECT_EQ(filesOf(folder), kept);
    EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
  }
}

}  // namespace
}  // namespace zumaro
