// The whole data folder from Japan Post's published files: the bundled
// snapshot, or the copy in $ZUMARO_JAPANPOST_DIR.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "lookup/range_table.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/mkdat_test_support.h"
#include "tools/mkdat/postal_data_build.h"
#include "tools/mkdat/source_file.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;
using testing::Entry;

std::string japanPostFolder() {
  const char* env = std::getenv("ZUMARO_JAPANPOST_DIR");
  return env && *env ? env : ZUMARO_JAPANPOST_DEFAULT_DIR;
}

int64_t linesOf(const std::string& path) {
  SourceFile source = loadSourceFile(path);
  return static_cast<int64_t>(std::count(source.bytes.begin(), source.bytes.end(), '\n'));
}

bool hasSmallKana(const std::string& utf8) {
  Text text = fromUtf8(utf8);
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= u'ｧ' && c <= u'ｯ'; });
}

TEST(FullBuild, BuildsEveryFileFromJapanPostsFiles) {
  const std::string source = japanPostFolder();
  if (!fs::exists(source + "/ken_all.zip") || !fs::exists(source + "/jigyosyo.zip")) {
    GTEST_SKIP() << "Japan Post's ken_all.zip and jigyosyo.zip are not in " << source
                 << "; set ZUMARO_JAPANPOST_DIR to the folder that holds them to run this test";
  }
  testing::TempDir dir;
  BuildOptions options;
  options.kenAll = source + "/ken_all.zip";
  options.jigyosyo = source + "/jigyosyo.zip";
  options.output = dir.file("data");
  BuildSummary s = buildDataFolder(options);

  EXPECT_EQ(s.addressRows, linesOf(options.kenAll));
  EXPECT_EQ(s.businessRows, linesOf(options.jigyosyo));
  EXPECT_GT(s.rowsJoined, 0);
  EXPECT_GT(s.address.notesRemoved, 0);
  EXPECT_GT(s.address.townAreasNamingNone, 0);
  EXPECT_GT(s.address.highRiseRows, 0);
  EXPECT_EQ(s.address.highRiseWithoutTown, 0);
  EXPECT_EQ(s.businessWithoutReadings, 0);
  EXPECT_EQ(s.totalEntries, s.addressRows - s.rowsJoined + s.businessRows - s.duplicatesDropped);

  std::vector<std::vector<Entry>> files = testing::readDataFolder(options.output);
  int64_t buildings = 0, businesses = 0;
  for (int k = 1; k <= kDataFiles; ++k) {
    const std::vector<Entry>& entries = files[static_cast<size_t>(k)];
    ASSERT_EQ(static_cast<int64_t>(entries.size()), s.entries[static_cast<size_t>(k)]) << k;
    for (size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      ASSERT_EQ(dataFileFor(fromUtf8(e[0])), k) << e[0];
      if (i > 0) {
        ASSERT_LE(entries[i - 1][0], e[0]) << k;
      }
      for (size_t r = 6; r <= 10; ++r) {
        ASSERT_FALSE(hasSmallKana(e[r])) << e[0] << " " << e[r];
      }
      bool business = !e[5].empty();
      businesses += business;
      if (business) continue;
      buildings += !e[4].empty();
      ASSERT_EQ(e[3].find("（"), std::string::npos) << e[0] << " " << e[3];
      ASSERT_EQ(e[8].find("("), std::string::npos) << e[0] << " " << e[8];
      ASSERT_NE(e[3], "以下に掲載がない場合");
    }
  }
  EXPECT_EQ(buildings, s.address.highRiseRows);
  EXPECT_GT(businesses, 0);
  EXPECT_LE(businesses, s.businessRows);

  std::vector<Entry> chiyoda = testing::entriesOf(files, "1000001");
  ASSERT_EQ(chiyoda.size(), 1u);
  EXPECT_EQ(chiyoda[0][1] + chiyoda[0][2] + chiyoda[0][3], "東京都千代田区千代田");
  EXPECT_EQ(chiyoda[0][6] + chiyoda[0][7] + chiyoda[0][8], "ﾄｳｷﾖｳﾄﾁﾖﾀﾞｸﾁﾖﾀﾞ");
}

}  // namespace
}  // namespace zumaro::mkdat
