// The manifest of a data folder: what zumaro-mkdat writes is what the
// programs read back, and odd text does not throw them off.
#include "run/data_manifest.h"

#include <gtest/gtest.h>

#include "testing/temp_dir.h"

namespace zumaro {
namespace {

DataManifest twoSources() {
  DataManifest m;
  m.dataDate = "2026-05-26";
  m.entries = 146563;
  m.perFile[1] = 7004;
  m.perFile[23] = 4964;
  m.builtAt = "2026-12-08T11:30:59Z";
  m.builtBy = "zumaro-mkdat 1.1.0";
  m.sources = {{"KEN_ALL", "ken_all.zip", "KEN_ALL.CSV", "cp932", "2026-05-26", 1694790, std::string(64, 'a'), 124825},
               {"JIGYOSYO", "my jigyosyo.csv", "", "utf-8", "2026-05-20", 3120561, std::string(64, 'b'), 22416}};
  return m;
}

void expectSame(const DataManifest& a, const DataManifest& b) {
  EXPECT_EQ(a.dataDate, b.dataDate);
  EXPECT_EQ(a.entries, b.entries);
  EXPECT_EQ(a.perFile, b.perFile);
  EXPECT_EQ(a.builtAt, b.builtAt);
  EXPECT_EQ(a.builtBy, b.builtBy);
  ASSERT_EQ(a.sources.size(), b.sources.size());
  for (size_t i = 0; i < a.sources.size(); ++i) {
    const ManifestSource &x = a.sources[i], &y = b.sources[i];
    EXPECT_EQ(x.role, y.role);
    EXPECT_EQ(x.file, y.file);
    EXPECT_EQ(x.member, y.member);
    EXPECT_EQ(x.edition, y.edition);
    EXPECT_EQ(x.date, y.date);
    EXPECT_EQ(x.bytes, y.bytes);
    EXPECT_EQ(x.sha256, y.sha256);
    EXPECT_EQ(x.rows, y.rows);
  }
}

TEST(DataManifest, ReadsBackWhatItWrites) {
  const DataManifest m = twoSources();
  std::optional<DataManifest> back = parseManifest(manifestText(m));
  ASSERT_TRUE(back);
  expectSame(*back, m);
}

TEST(DataManifest, TakesLineEndsOfEitherKindAndPassesOverWhatItDoesNotKnow) {
  std::optional<DataManifest> m = parseManifest(
      "# comment\r\ncolour = blue\r\nno equals sign\r\nentries = 12x\r\ndata-date = 2025-01-02\r\n"
      "source.99.role = X\r\nsource.1.bytes = -5\r\nentries.07.dat = 3\r\n");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->dataDate, "2025-01-02");
  EXPECT_EQ(m->entries, 0);  // 12x is no count
  ASSERT_EQ(m->sources.size(), 1u);
  EXPECT_EQ(m->sources[0].bytes, 0);
  EXPECT_EQ(m->perFile[7], 3);
}

TEST(DataManifest, TextWithoutDateOrCountIsNoManifest) {
  for (const char* text : {"", "hello\n", "built-by = someone\n", "entries = many\n"}) {
    EXPECT_FALSE(parseManifest(text)) << text;
  }
}

TEST(DataManifest, AFolderWithoutOneHasNone) {
  testing::TempDir dir;
  EXPECT_FALSE(readManifest(dir.path().string()));
  testing::writeBytes(dir.file(kManifestName), "entries = 5\n");
  ASSERT_TRUE(readManifest(dir.path().string()));
  EXPECT_EQ(readManifest(dir.path().string())->entries, 5);
}

}  // namespace
}  // namespace zumaro
