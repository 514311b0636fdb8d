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
#include "tools/mkdat/sha256.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using testing::shellQuoted;

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every file of `folder`, hidden ones too, by name with its digest.
std::map<std::string, std::string> digests(const std::string& folder) {
  std::map<std::string, std::string> all;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    all[entry.path().lexically_relative(folder).string()] = mkdat::sha256Hex(readFile(entry.path()));
  return all;
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

class Download : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    serverDir = new testing::TempDir;
    server = new testing::DownloadServer(ZUMARO_BUNDLED_JAPANPOST_DIR, serverDir->path().string());
  }
  static void TearDownTestSuite() {
    delete server;
    delete serverDir;
  }
  // zumaro-mkdat --download with its temporary files in tmp/ of the test's folder.
  testing::ProgramOutcome download(const std::string& args, const std::string& before = "") {
    fs::create_directories(dir.file("tmp"));
    return testing::runInFolder(dir.path(), before + "env TMPDIR=" + shellQuoted(dir.file("tmp")) + " " +
                                                shellQuoted(ZUMARO_MKDAT_EXE) + " --download " + args);
  }
  std::string from(const std::string& base, bool trusted = true) {
    return "--source-url " + base + (trusted ? " --ca-file " + shellQuoted(server->caFile()) : "");
  }
  static std::string built(const std::string& name) { return std::string(ZUMARO_BUILT_DATA_DIR) + "/" + name; }

  static testing::TempDir* serverDir;
  static testing::DownloadServer* server;
  testing::TempDir dir;
};
testing::TempDir* Download::serverDir = nullptr;
testing::DownloadServer* Download::server = nullptr;

// The build tree's folder is built from the same zip files, given by path.
TEST_F(Download, BuildsTheFolderTheSameFilesBuildByPathAndThenFindsItCurrent) {
  const std::string folder = dir.file("data");
  testing::ProgramOutcome o = download(from(server->https("ok")) + " -o " + shellQuoted(folder));
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "変更点: 置き換える郵便番号データがないため、比べていません。\n")) << o.out;
  std::map<std::string, std::string> got = digests(folder), want = digests(ZUMARO_BUILT_DATA_DIR);
  got.erase("zumaro-data.txt");
  want.erase("zumaro-data.txt");
  EXPECT_EQ(got, want);
  auto withoutBuildTime = [](std::string manifest) {
    return manifest.erase(manifest.find("built-at = "), manifest.find("built-by = ") - manifest.find("built-at = "));
  };
  EXPECT_EQ(withoutBuildTime(readFile(folder + "/zumaro-data.txt")),
            withoutBuildTime(readFile(built("zumaro-data.txt"))));

  // The same files again, over plain HTTP as the address says: nothing to do.
  const auto before = digests(folder);
  o = download("--source-url " + server->http("ok") + " -o " + shellQuoted(folder));
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out, "zumaro-mkdat: 郵便番号データは最新です（" + folder + "、2026-05-26）。何も変更していません。\n");
  EXPECT_EQ(digests(folder), before);

  // A user without a folder of their own is compared with the one the programs used.
  o = download(from(server->https("ok")), "XDG_DATA_HOME=" + shellQuoted(dir.file("xdg")) + " ");
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(contains(o.out, "最新です（" ZUMARO_BUILT_DATA_DIR "、2026-05-26）")) << o.out;
  EXPECT_FALSE(fs::exists(dir.file("xdg/zumaro")));
  EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
}

TEST_F(Download, TellsWhatChangedAgainstTheFolderItReplaces) {
  const std::string folder = dir.file("data");
  fs::copy(ZUMARO_BUILT_DATA_DIR, folder);
  // An older folder: without the first entry, the only one of its code, and
  // with an entry of a code that has gone since.
  const std::string first = readFile(folder + "/01.dat");
  const std::string rest = first.substr(first.find('\n') + 1);
  ASSERT_NE(rest.substr(0, 10), first.substr(0, 10));
  testing::writeBytes(folder + "/01.dat", rest);
  std::ofstream(folder + "/23.dat", std::ios::app)
      << "\"9999998\",\"X\",\"Y\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
  testing::writeBytes(folder + "/zumaro-data.txt", "data-date = 2026-04-28\nentries = 146563\n");

  testing::ProgramOutcome o = download(from(server->https("ok")) + " -o " + shellQuoted(folder));
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(
      contains(o.out, "\n変更点（" + folder +
                          " と比べて）:\n  データの日付: 2026-04-28 → 2026-05-26\n  郵便番号: 1件追加、1件削除\n"
                          "  住所（郵便番号と書き方）: 1件追加、1件削除\n"))
      << o.out;
  std::map<std::string, std::string> got = digests(folder), want = digests(ZUMARO_BUILT_DATA_DIR);
  got.erase("zumaro-data.txt");
  want.erase("zumaro-data.txt");
  EXPECT_EQ(got, want);
  EXPECT_EQ(download(from(server->https("ok")) + " -q -o " + shellQuoted(folder)).out, "");
}

struct Fault {
  std::string what, args;  // the source, with {https}/{http} for the server's bases
  std::vector<std::string> said;
};

// Each leaves the folder in use as it was, and no temporary file behind.
TEST_F(Download, EachFaultIsToldAndChangesNothing) {
  const std::string https = server->https(""), ca = " --ca-file " + shellQuoted(server->caFile());
  const std::string page = "から届いたのはzipファイルではありません（text/html）。";
  const Fault faults[] = {
      {"refused",
       "--source-url https://127.0.0.1:1/" + ca,
       {"https://127.0.0.1:1/ken_all.zip をダウンロードできません（接続できません: "}},
      {"no answer",
       "--timeout 1 --source-url " + https + "silent/" + ca,
       {https + "silent/ken_all.zip をダウンロードできません（応答がないまま時間切れになりました: "}},
      {"not found", "--source-url " + https + "404/" + ca, {https + "404/ken_all.zip", "HTTP 404）。"}},
      {"server fault",
       "--jigyosyo-url " + https + "500/jigyosyo.zip --source-url " + https + "ok/" + ca,
       {https + "500/jigyosyo.zip", "HTTP 500）。"}},
      {"a page", "--source-url " + https + "html/" + ca, {https + "html/ken_all.zip " + page}},
      {"redirected to a page",
       "--source-url " + https + "redirect/" + ca,
       {https + "redirect/ken_all.zip（転送先 " + https + "html/ken_all.zip） " + page}},
      {"redirected to plain HTTP",
       "--source-url " + https + "downgrade/" + ca,
       {https + "downgrade/ken_all.zip", "HTTPS 以外の接続は使いません"}},
      {"untrusted certificate",
       "--source-url " + https + "ok/",
       {https + "ok/ken_all.zip", "サーバーの証明書を確認できません"}},
      {"truncated zip",
       "--source-url " + https + "truncated/" + ca,
       {https + "truncated/ken_all.zip をzipファイルとして読めません"}},
      {"zip without CSV",
       "--source-url " + https + "nocsv/" + ca,
       {https + "nocsv/ken_all.zip には.csvファイルが1つだけあるはずですが、0個あります。"}},
      {"UTF-8 edition missing",
       "--utf8 --source-url " + https + "ok/" + ca,
       {https + "ok/utf_ken_all.zip", "HTTP 404"}},
  };
  const std::string folder = dir.file("data");
  fs::copy(ZUMARO_BUILT_DATA_DIR, folder);
  testing::writeBytes(folder + "/zumaro-data.txt", "data-date = 2026-04-28\nentries = 146563\n");
  const auto before = digests(folder);
  auto check = [&](const std::string& what, const testing::ProgramOutcome& o, const std::vector<std::string>& said) {
    SCOPED_TRACE(what);
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(contains(o.err, "エラーメッセージ: " + said[0])) << o.err;
    for (const std::string& part : said) EXPECT_TRUE(contains(o.err, part)) << o.err;
    EXPECT_TRUE(o.err.ends_with("\n" + folder + " には何も書き込んでいません。\n")) << o.err;
    EXPECT_EQ(digests(folder), before);
    EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
  };
  for (const Fault& f : faults) check(f.what, download(f.args + " -o " + shellQuoted(folder)), f.said);
  // A full disk: files may not grow past 500 blocks, far less than ken_all.zip.
  check("full disk",
        download(from(server->https("ok")) + " -o " + shellQuoted(folder), "trap '' XFSZ; ulimit -f 500; "),
        {server->https("ok") + "ken_all.zip を ", "に書き込めません（File too large）。"});
}

}  // namespace
}  // namespace zumaro
