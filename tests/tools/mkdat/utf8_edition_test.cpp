// Japan Post's UTF-8 edition builds the same folder as the code page 932
// edition of the same data, entry for entry.
#include "tools/mkdat/utf8_edition.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lookup/data_file.h"
#include "run/data_manifest.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/csv_lines.h"
#include "tools/mkdat/mkdat_test_support.h"
#include "tools/mkdat/postal_data_build.h"
#include "tools/mkdat/source_file.h"
#include "tools/mkdat/utf8_edition_maker.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;

const std::string kExcerpts = ZUMARO_MKDAT_DATA_DIR;
const std::string kBundled = ZUMARO_BUNDLED_JAPANPOST_DIR;

// The first entry that differs, or none.
::testing::AssertionResult sameFolders(const std::string& a, const std::string& b) {
  const auto filesA = testing::readDataFolder(a), filesB = testing::readDataFolder(b);
  for (size_t k = 1; k <= 23; ++k) {
    const auto &ea = filesA[k], &eb = filesB[k];
    for (size_t i = 0; i < std::max(ea.size(), eb.size()); ++i) {
      if (i < ea.size() && i < eb.size() && ea[i] == eb[i]) continue;
      auto show = [](const std::vector<testing::Entry>& e, size_t i) {
        std::string s;
        if (i >= e.size()) return std::string("<none>");
        for (const std::string& f : e[i]) s += f + ",";
        return s;
      };
      return ::testing::AssertionFailure()
             << "file " << k << " entry " << i + 1 << "\n  cp932: " << show(ea, i) << "\n  utf-8: " << show(eb, i);
    }
  }
  return ::testing::AssertionSuccess();
}

class Utf8Edition : public ::testing::Test {
 protected:
  // Builds from `kenAll` and, made from it, its UTF-8 edition zipped as Japan Post does.
  void buildBoth(const std::string& kenAll, const std::string& jigyosyo) {
    const std::string utf8 = testing::makeUtf8Edition(loadSourceFile(kenAll).bytes);
    testing::writeZip(dir.file("utf_ken_all.zip"), {{"utf_ken_all.csv", utf8}});
    BuildOptions options;
    options.kenAll = kenAll;
    options.jigyosyo = jigyosyo;
    options.output = dir.file("cp932");
    buildDataFolder(options);
    options.kenAll = dir.file("utf_ken_all.zip");
    options.output = dir.file("utf8");
    buildDataFolder(options);
  }
  testing::TempDir dir;
};

TEST_F(Utf8Edition, ExcerptsBuildTheSameFolder) {
  buildBoth(kExcerpts + "/ken_all.csv", kExcerpts + "/jigyosyo.csv");
  EXPECT_TRUE(sameFolders(dir.file("cp932"), dir.file("utf8")));
  for (int k = 1; k <= 23; ++k) {
    EXPECT_EQ(testing::readBytes(dataFilePath(dir.file("cp932"), k)),
              testing::readBytes(dataFilePath(dir.file("utf8"), k)));
  }
  std::optional<DataManifest> manifest = readManifest(dir.file("utf8"));
  ASSERT_TRUE(manifest);
  EXPECT_EQ(manifest->sources.at(0).edition, "utf-8");
  EXPECT_EQ(manifest->sources.at(0).member, "utf_ken_all.csv");
  EXPECT_EQ(manifest->sources.at(0).rows, 27 - 6);  // no split rows
  EXPECT_EQ(manifest->sources.at(1).edition, "cp932");
}

TEST_F(Utf8Edition, TheMadeEditionHasTheTraitsOfJapanPosts) {
  const std::string utf8 = testing::makeUtf8Edition(testing::readBytes(kExcerpts + "/ken_all.csv"));
  EXPECT_TRUE(looksLikeUtf8Edition(utf8));
  const Text text = fromUtf8(utf8);
  EXPECT_NE(text.find(u"\"ホッカイドウ\",\"サッポロシチュウオウク\""), Text::npos);
  EXPECT_NE(text.find(u"（１カイ）"), Text::npos);
  EXPECT_NE(text.find(u"協和（８８\u2212２、"), Text::npos);
  EXPECT_NE(text.find(u"大通西（１\u301C１９丁目）"), Text::npos);
  EXPECT_NE(text.find(u"\"オオドオリニシ（１\u2212１９チョウメ）\""), Text::npos);
  EXPECT_EQ(text.find_first_of(u"ｱｶｻﾀﾅﾊﾏﾔﾗﾜｯﾞ－～"), Text::npos);
}

TEST_F(Utf8Edition, BundledSnapshotBuildsTheSameFolder) {
  buildBoth(kBundled + "/ken_all.zip", kBundled + "/jigyosyo.zip");
  EXPECT_TRUE(sameFolders(dir.file("cp932"), dir.file("utf8")));
  EXPECT_EQ(readManifest(dir.file("utf8"))->entries, readManifest(dir.file("cp932"))->entries);
}

TEST(Utf8EditionRows, ReadingsTurnHalfWidthAndSignsTakeTheirCodePage932Form) {
  AddressRow row;
  row.prefectureReading = u"ホッカイドウ";
  row.cityReading = u"サッポロシ";
  row.townReading = u"マルノウチジェイピータワー（１カイ）ア\u2212Ｂ";
  row.prefecture = u"北海道";
  row.city = u"札幌市";
  row.town = u"大通西（１\u301C１９丁目、２\u2212５）𠮷\u2212";
  toCodePage932Form(row);
  EXPECT_EQ(toUtf8(row.prefectureReading), "ﾎｯｶｲﾄﾞｳ");
  EXPECT_EQ(toUtf8(row.cityReading), "ｻｯﾎﾟﾛｼ");
  EXPECT_EQ(toUtf8(row.townReading), "ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ(1ｶｲ)ｱ-B");
  // 𠮷 has no code page 932 form: it is left for the data file writer to name.
  EXPECT_EQ(toUtf8(row.town), "大通西（１～１９丁目、２－５）𠮷－");

  BusinessRow business;
  business.nameReading = u"アコム　カブシキガイシャ";
  business.block = u"２丁目１\u2212１";
  toCodePage932Form(business);
  EXPECT_EQ(toUtf8(business.nameReading), "ｱｺﾑ ｶﾌﾞｼｷｶﾞｲｼｬ");
  EXPECT_EQ(toUtf8(business.block), "２丁目１－１");
}

TEST(Utf8EditionRows, TellsTheEditionByItsBytes) {
  const struct {
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"", false},
      {"13101,\"100  \",\"1000001\"\r\n", false},   // ASCII alone: either, read as code page 932
      {"\xCE\xDE\xAF\xB6\xB2\xC4\xDE\xB3", false},  // ﾎｯｶｲﾄﾞｳ in code page 932
      {"\x96\x6B\x8A\x43\x93\xB9", false},          // 北海道 in code page 932
      {"北海道,ホッカイドウ", true},
      {"\xEF\xBB\xBF"
       "13101",
       true},
      {"北海道\xff", false},
  };
  for (const auto& c : cases) EXPECT_EQ(looksLikeUtf8Edition(c.bytes), c.utf8) << c.bytes;
}

TEST(Utf8EditionRows, BytesThatAreNotUtf8NameTheirLine) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("utf.csv"),
                      "\xEF\xBB\xBF"
                      "13101,\"北海道\"\r\n13101,\"\xE5\x8C\"\r\n");
  SourceFile source = loadSourceFile(dir.file("utf.csv"));
  EXPECT_TRUE(source.utf8);
  EXPECT_EQ(source.bytes.rfind("13101", 0), 0u) << "the byte-order mark is not data";
  CsvLines lines(source);
  CsvRow row;
  EXPECT_TRUE(lines.next(row));
  EXPECT_EQ(toUtf8(row.fields[1]), "北海道");
  try {
    lines.next(row);
    ADD_FAILURE() << "read";
  } catch (const BuildFailure& e) {
    EXPECT_EQ(std::string(e.what()), dir.file("utf.csv") +
                                         " の2行目にUTF-8として読めないバイトがあります（行の8バイト目）。"
                                         "日本郵便のファイルを変更せずに指定して下さい。");
  }
}

}  // namespace
}  // namespace zumaro::mkdat
