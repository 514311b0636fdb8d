// The manifest a build writes beside the data files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "run/data_manifest.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/postal_data_build.h"
#include "tools/mkdat/sha256.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;

const std::string kExcerpts = ZUMARO_MKDAT_DATA_DIR;

TEST(Sha256, KnownDigests) {
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// `path` last changed at noon of `date` (local time), as a file of that day.
void setDate(const std::string& path, int year, unsigned month, unsigned day) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = static_cast<int>(month) - 1;
  parts.tm_mday = static_cast<int>(day);
  parts.tm_hour = 12;
  parts.tm_isdst = -1;
  const timespec when{std::mktime(&parts), 0};
  const timespec times[2] = {when, when};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(ManifestBuild, NamesTheSourcesAndTheNewestDate) {
  testing::TempDir dir;
  const std::string kenAll = dir.file("KEN_ALL.CSV"), jigyosyo = dir.file("JIGYOSYO.CSV");
  const std::string kenAllBytes = testing::readBytes(kExcerpts + "/ken_all.csv");
  const std::string jigyosyoBytes = testing::readBytes(kExcerpts + "/jigyosyo.csv");
  testing::writeBytes(kenAll, kenAllBytes);
  testing::writeBytes(jigyosyo, jigyosyoBytes);
  setDate(kenAll, 2026, 5, 26);
  setDate(jigyosyo, 2026, 5, 20);
  BuildOptions options;
  options.kenAll = kenAll;
  options.jigyosyo = jigyosyo;
  options.output = dir.file("data");
  BuildSummary summary = buildDataFolder(options);

  std::optional<DataManifest> m = readManifest(options.output);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->dataDate, "2026-05-26");
  EXPECT_EQ(summary.dataDate, "2026-05-26");
  EXPECT_EQ(m->entries, 25);
  EXPECT_EQ(m->perFile[2], 10);
  int64_t sum = 0;
  for (int64_t n : m->perFile) sum += n;
  EXPECT_EQ(sum, 25);
  EXPECT_EQ(m->builtBy, std::string("zumaro-mkdat ") + ZUMARO_VERSION);
  EXPECT_EQ(m->builtAt.size(), std::string("2026-12-08T11:30:59Z").size());
  ASSERT_EQ(m->sources.size(), 2u);
  const ManifestSource &k = m->sources[0], &j = m->sources[1];
  EXPECT_EQ(k.role, "KEN_ALL");
  EXPECT_EQ(k.file, "KEN_ALL.CSV");
  EXPECT_EQ(k.member, "");
  EXPECT_EQ(k.edition, "cp932");
  EXPECT_EQ(k.date, "2026-05-26");
  EXPECT_EQ(k.bytes, static_cast<int64_t>(kenAllBytes.size()));
  EXPECT_EQ(k.sha256, sha256Hex(kenAllBytes));
  EXPECT_EQ(k.rows, 27);
  EXPECT_EQ(j.role, "JIGYOSYO");
  EXPECT_EQ(j.date, "2026-05-20");
  EXPECT_EQ(j.sha256, sha256Hex(jigyosyoBytes));
  EXPECT_EQ(j.rows, 4);
}

TEST(ManifestBuild, TheBundledZipFilesGiveTheDateOfTheirCsvFiles) {
  testing::TempDir dir;
  BuildOptions options;
  options.kenAll = ZUMARO_BUNDLED_JAPANPOST_DIR "/ken_all.zip";
  options.output = dir.file("data");
  buildDataFolder(options);
  std::optional<DataManifest> m = readManifest(options.output);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->dataDate, "2026-05-26");
  EXPECT_EQ(m->sources.at(0).member, "KEN_ALL.CSV");
  EXPECT_EQ(m->sources.at(0).file, "ken_all.zip");
  EXPECT_EQ(m->sources.at(0).sha256, "636d223d5038d2333def34502352872368e3bbd88b19e8fe62ef2b0805f0192b");
  EXPECT_EQ(m->sources.at(0).bytes, 1694790);
}

}  // namespace
}  // namespace zumaro::mkdat
