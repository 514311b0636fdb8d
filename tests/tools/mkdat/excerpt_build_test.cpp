// Whole builds from a few real rows of KEN_ALL and JIGYOSYO, one group of
// rows for each quirk of the published files.
#include <gtest/gtest.h>

#include <filesystem>

#include "lookup/data_file.h"
#include "run/data_manifest.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/mkdat_test_support.h"
#include "tools/mkdat/postal_data_build.h"

namespace zumaro::mkdat {
namespace {

namespace fs = std::filesystem;
using testing::entriesOf;
using testing::Entry;

const std::string kExcerpts = ZUMARO_MKDAT_DATA_DIR;

// key, pref, city, town, building, company, then the five readings.
Entry entry(std::initializer_list<const char*> fields) {
  Entry e;
  size_t i = 0;
  for (const char* f : fields) e[i++] = f;
  return e;
}

class ExcerptBuild : public ::testing::Test {
 protected:
  BuildSummary build(bool keepSmallKana = false) {
    BuildOptions options;
    options.kenAll = kExcerpts + "/ken_all.csv";
    options.jigyosyo = kExcerpts + "/jigyosyo.csv";
    options.output = folder();
    options.keepSmallKana = keepSmallKana;
    BuildSummary summary = buildDataFolder(options);
    files = testing::readDataFolder(folder());
    return summary;
  }
  std::string folder() const { return dir.file("data"); }
  std::vector<Entry> of(const char* key) const { return entriesOf(files, key); }

  testing::TempDir dir;
  std::vector<std::vector<Entry>> files;
};

TEST_F(ExcerptBuild, CountsWhatItDid) {
  BuildSummary s = build();
  EXPECT_EQ(s.addressRows, 27);
  EXPECT_EQ(s.rowsJoined, 6);  // 協和 2, 大江 1, 名駅 1, 大黒町 2
  EXPECT_EQ(s.address.townAreasNamingNone, 5);
  EXPECT_EQ(s.address.highRiseRows, 5);
  EXPECT_EQ(s.address.highRiseWithoutTown, 0);
  EXPECT_EQ(s.businessRows, 4);
  EXPECT_EQ(s.totalEntries, 27 - 6 + 4);
  EXPECT_EQ(s.entries[1], 3);   // 004-0000 twice, 005-0863
  EXPECT_EQ(s.entries[2], 10);  // 039-0000 .. 079-9999
  EXPECT_EQ(s.entries[3], 6);   // 080-0000 .. 131-9999
  for (int k = 1; k <= kDataFiles; ++k) EXPECT_EQ(static_cast<int64_t>(files[k].size()), s.entries[k]) << k;
}

TEST_F(ExcerptBuild, WritesReadingsWithLargeKana) {
  build();
  EXPECT_EQ(of("0600000").at(0),
            entry({"0600000", "北海道", "札幌市中央区", "", "", "", "ﾎﾂｶｲﾄﾞｳ", "ｻﾂﾎﾟﾛｼﾁﾕｳｵｳｸ", "", "", ""}));
  EXPECT_EQ(of("0770013").at(0)[8], "ﾁﾖｳｾｲ");
}

TEST_F(ExcerptBuild, KeepsSmallKanaWhenAsked) {
  build(true);
  EXPECT_EQ(of("0600000").at(0)[6], "ﾎｯｶｲﾄﾞｳ");
  EXPECT_EQ(of("0770013").at(0)[8], "ﾁｮｳｾｲ");
}

TEST_F(ExcerptBuild, JoinsTownAreasSplitOverRows) {
  build();
  // Split readings are joined, then the note goes as a whole.
  EXPECT_EQ(
      of("0660005"),
      std::vector<Entry>{entry({"0660005", "北海道", "千歳市", "協和", "", "", "ﾎﾂｶｲﾄﾞｳ", "ﾁﾄｾｼ", "ｷﾖｳﾜ", "", ""})});
  EXPECT_EQ(of("0482402").size(), 1u);
  EXPECT_EQ(of("0482402").at(0)[3], "大江");
  EXPECT_EQ(of("0482402").at(0)[8], "ｵｵｴ");
  // A reading repeated on every row is taken once.
  EXPECT_EQ(of("6048073"), std::vector<Entry>{entry({"6048073", "京都府", "京都市中京区", "大黒町", "", "", "ｷﾖｳﾄﾌ",
                                                     "ｷﾖｳﾄｼﾅｶｷﾞﾖｳｸ", "ﾀﾞｲｺｸﾁﾖｳ", "", ""})});
}

TEST_F(ExcerptBuild, WritesTownAreasThatNameNoPlaceEmpty) {
  build();
  for (const char* key : {"0600000", "3060433", "1000301"}) {
    ASSERT_EQ(of(key).size(), 1u) << key;
    EXPECT_EQ(of(key)[0][3], "") << key;
    EXPECT_EQ(of(key)[0][8], "") << key;
  }
  EXPECT_EQ(of("1000301")[0][7], "ﾄｼﾏﾑﾗ");
  EXPECT_EQ(of("5220317").at(0)[3], "一円");  // a real town area
  EXPECT_EQ(of("5220317").at(0)[8], "ｲﾁｴﾝ");
}

TEST_F(ExcerptBuild, RemovesNotesFromWrittenFormAndReading) {
  build();
  EXPECT_EQ(of("1000005").at(0)[3], "丸の内");
  EXPECT_EQ(of("1000005").at(0)[8], "ﾏﾙﾉｳﾁ");
  EXPECT_EQ(of("0050863").at(0)[3], "常盤");
  EXPECT_EQ(of("0600042").at(0)[3], "大通西");
  EXPECT_EQ(of("0600042").at(0)[8], "ｵｵﾄﾞｵﾘﾆｼ");
  EXPECT_EQ(of("0640820").at(0)[8], "ｵｵﾄﾞｵﾘﾆｼ");
}

TEST_F(ExcerptBuild, SplitsHighRiseRowsIntoTownAreaAndBuildingWithFloor) {
  build();
  EXPECT_EQ(of("1007001").at(0), entry({"1007001", "東京都", "千代田区", "丸の内", "ＪＰタワー１階", "", "ﾄｳｷﾖｳﾄ",
                                        "ﾁﾖﾀﾞｸ", "ﾏﾙﾉｳﾁ", "ｼﾞｴｲﾋﾟｰﾀﾜｰ1ｶｲ", ""}));
  EXPECT_EQ(of("1007010").at(0)[4], "ＪＰタワー１０階");
  EXPECT_EQ(of("1007010").at(0)[9], "ｼﾞｴｲﾋﾟｰﾀﾜｰ10ｶｲ");
  // Basement and unknown floors: the building without a floor.
  EXPECT_EQ(of("1007090").at(0)[4], "ＪＰタワー");
  EXPECT_EQ(of("1007090").at(0)[9], "ｼﾞｴｲﾋﾟｰﾀﾜｰ");
  // The town area 名駅 comes from a split row of the same municipality;
  // （高層棟） is a note.
  EXPECT_EQ(of("4506201").at(0)[3], "名駅");
  EXPECT_EQ(of("4506201").at(0)[4], "ミッドランドスクエア１階");
  EXPECT_EQ(of("4506201").at(0)[9], "ﾐﾂﾄﾞﾗﾝﾄﾞｽｸｴｱ1ｶｲ");
  EXPECT_EQ(of("4506290").at(0)[4], "ミッドランドスクエア");
}

TEST_F(ExcerptBuild, MakesBusinessEntriesWithReadingsOfTheirMunicipality) {
  build();
  EXPECT_EQ(of("0608621").at(0),
            entry({"0608621", "北海道", "札幌市中央区", "北一条西６丁目１－２アーバンネット札幌ビル２Ｆ", "",
                   "株式会社　日本経済新聞社　札幌支社", "ﾎﾂｶｲﾄﾞｳ", "ｻﾂﾎﾟﾛｼﾁﾕｳｵｳｸ", "", "",
                   "(ｶﾌﾞ) ﾆﾎﾝｹｲｻﾞｲｼﾝﾌﾞﾝｼﾔ ｻﾂﾎﾟﾛｼｼﾔ"}));
  EXPECT_EQ(of("1008307").at(0)[5], "アコム　株式会社");
  EXPECT_EQ(of("1008307").at(0)[7], "ﾁﾖﾀﾞｸ");
  EXPECT_EQ(of("0608703").at(0)[5], "ＮＨＫ札幌拠点放送局");  // a post-office box
}

TEST_F(ExcerptBuild, SortsByKeyAndKeepsSourceOrderWithinAKey) {
  build();
  for (int k = 1; k <= kDataFiles; ++k) {
    for (size_t i = 1; i < files[k].size(); ++i) EXPECT_LE(files[k][i - 1][0], files[k][i][0]);
  }
  // Two municipalities share 004-0000; their rows are far apart in KEN_ALL.
  std::vector<Entry> shared = of("0040000");
  ASSERT_EQ(shared.size(), 2u);
  EXPECT_EQ(shared[0][2], "札幌市厚別区");
  EXPECT_EQ(shared[1][2], "札幌市清田区");
  std::vector<Entry> two = of("0770013");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0][3], "潮静");
  EXPECT_EQ(two[1][3], "留萌原野");
  // Every key in the file of its range; 01.dat's keys begin with 00..03.
  EXPECT_EQ(files[1].front()[0], "0040000");
}

TEST_F(ExcerptBuild, WritesQuotedFieldsInCodePage932WithCrLf) {
  build();
  std::string bytes = testing::readBytes(dataFilePath(folder(), 1));
  std::string first = bytes.substr(0, bytes.find("\r\n"));
  EXPECT_EQ(testing::fromCp932(first),
            "\"0040000\",\"北海道\",\"札幌市厚別区\",\"\",\"\",\"\",\"ﾎﾂｶｲﾄﾞｳ\",\"ｻﾂﾎﾟﾛｼｱﾂﾍﾞﾂｸ\",\"\",\"\",\"\"");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(ExcerptBuild, AZipFileGivesTheSameFolderAsItsCsv) {
  build();
  testing::writeZip(dir.file("ken_all.zip"), {{"KEN_ALL.CSV", testing::readBytes(kExcerpts + "/ken_all.csv")}});
  testing::writeZip(dir.file("jigyosyo.zip"), {{"JIGYOSYO.CSV", testing::readBytes(kExcerpts + "/jigyosyo.csv")}});
  BuildOptions options;
  options.kenAll = dir.file("ken_all.zip");
  options.jigyosyo = dir.file("jigyosyo.zip");
  options.output = dir.file("from-zip");
  buildDataFolder(options);
  for (int k = 1; k <= kDataFiles; ++k) {
    EXPECT_EQ(testing::readBytes(dataFilePath(options.output, k)), testing::readBytes(dataFilePath(folder(), k))) << k;
  }
}

TEST_F(ExcerptBuild, RebuildingReplacesTheFilesOfAnExistingFolder) {
  build();
  std::string before = testing::readBytes(dataFilePath(folder(), 3));
  BuildOptions options;
  options.kenAll = kExcerpts + "/ken_all.csv";
  options.output = folder();
  buildDataFolder(options);
  std::string after = testing::readBytes(dataFilePath(folder(), 3));
  EXPECT_LT(after.size(), before.size());  // no business entries now
  EXPECT_EQ(after.find(testing::cp932("アコム")), std::string::npos);
  // The 23 files and the manifest, nothing left over from the staging.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 24);
  std::optional<DataManifest> manifest = readManifest(folder());
  ASSERT_TRUE(manifest);
  EXPECT_EQ(manifest->sources.size(), 1u);
}

TEST_F(ExcerptBuild, AFailedBuildLeavesTheFolderAsItWas) {
  build();
  std::string before = testing::readBytes(dataFilePath(folder(), 1));
  std::string manifestBefore = testing::readBytes(folder() + "/zumaro-data.txt");
  std::string bad = dir.file("bad.csv");
  std::string good = testing::readBytes(kExcerpts + "/ken_all.csv");
  testing::writeBytes(bad, good + "13101,\"100  \",\"1000001\"\r\n");
  BuildOptions options;
  options.kenAll = bad;
  options.output = folder();
  EXPECT_THROW(buildDataFolder(options), BuildFailure);
  EXPECT_EQ(testing::readBytes(dataFilePath(folder(), 1)), before);
  EXPECT_EQ(testing::readBytes(folder() + "/zumaro-data.txt"), manifestBefore);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 24);
  // And a new folder is not made at all.
  options.output = dir.file("new");
  EXPECT_THROW(buildDataFolder(options), BuildFailure);
  EXPECT_FALSE(fs::exists(dir.file("new")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);  // data, bad.csv
}

TEST_F(ExcerptBuild, RefusesAFieldThatADataFileCannotHold) {
  std::string csv = dir.file("quote.csv");
  testing::writeBytes(csv, testing::cp932("13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\","
                                          "\"千代田区\",\"千代\"\"田\",0,0,0,0,0,0\r\n"));
  BuildOptions options;
  options.kenAll = csv;
  options.output = folder();
  try {
    buildDataFolder(options);
    ADD_FAILURE() << "built";
  } catch (const BuildFailure& e) {
    EXPECT_EQ(std::string(e.what()),
              csv + " の1行目の「千代\"田」は引用符(\")か改行を含むため、郵便番号データに書けません。");
  }
  EXPECT_FALSE(fs::exists(folder()));
}

}  // namespace
}  // namespace zumaro::mkdat
