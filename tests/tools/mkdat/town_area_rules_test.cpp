// The rules that turn KEN_ALL's town-area column into what a person writes.
#include <gtest/gtest.h>

#include "tools/mkdat/address_entries.h"
#include "tools/mkdat/high_rise.h"
#include "tools/mkdat/small_kana.h"
#include "tools/mkdat/split_town_areas.h"
#include "tools/mkdat/town_notes.h"

namespace zumaro::mkdat {
namespace {

struct Note {
  const char* written;
  const char* reading;
  const char* writtenAfter;
  const char* readingAfter;
  int notes;
};

TEST(TownNotes, RemovesParenthesisedNotesFromBothForms) {
  const Note cases[] = {
      {"丸の内（次のビルを除く）", "ﾏﾙﾉｳﾁ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)", "丸の内", "ﾏﾙﾉｳﾁ", 1},
      {"常盤（その他）", "ﾄｷﾜ(ｿﾉﾀ)", "常盤", "ﾄｷﾜ", 1},
      {"大通西（１～１９丁目）", "ｵｵﾄﾞｵﾘﾆｼ(1-19ﾁｮｳﾒ)", "大通西", "ｵｵﾄﾞｵﾘﾆｼ", 1},
      // 「」 inside a note (read <>), and a note inside a note.
      {"大江（１丁目、２丁目「６５１番地」以外）", "ｵｵｴ(1ﾁｮｳﾒ､2ﾁｮｳﾒ<651ﾊﾞﾝﾁ>ｲｶﾞｲ)", "大江", "ｵｵｴ", 1},
      {"甲（乙（丙）丁）戊", "ｺｳ(ｵﾂ(ﾍｲ)ﾃｲ)ﾎﾞ", "甲戊", "ｺｳﾎﾞ", 1},
      {"名駅ミッドランドスクエア（高層棟）（１階）", "ﾒｲｴｷﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ(ｺｳｿｳﾄｳ)(1ｶｲ)", "名駅ミッドランドスクエア",
       "ﾒｲｴｷﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ", 2},
      // Kyoto: the written form lists streets, the reading has no note.
      {"大黒町（麩屋町通六角上る）", "ﾀﾞｲｺｸﾁｮｳ", "大黒町", "ﾀﾞｲｺｸﾁｮｳ", 1},
      // Never closed: the note runs to the end.
      {"協和（８８－２、", "ｷｮｳﾜ(88-2､", "協和", "ｷｮｳﾜ", 1},
      {"旭ケ丘", "ｱｻﾋｶﾞｵｶ", "旭ケ丘", "ｱｻﾋｶﾞｵｶ", 0},
  };
  for (const Note& c : cases) {
    Text written = fromUtf8(c.written), reading = fromUtf8(c.reading);
    EXPECT_EQ(removeNotes(written, reading), c.notes) << c.written;
    EXPECT_EQ(toUtf8(written), c.writtenAfter) << c.written;
    EXPECT_EQ(toUtf8(reading), c.readingAfter) << c.written;
  }
}

TEST(TownNotes, TownAreasThatNameNoPlace) {
  EXPECT_TRUE(namesNoTownArea(u"以下に掲載がない場合", u"札幌市中央区"));
  EXPECT_TRUE(namesNoTownArea(u"境町の次に番地がくる場合", u"猿島郡境町"));
  EXPECT_TRUE(namesNoTownArea(u"小菅村の次に１～６６３番地がくる場合", u"北都留郡小菅村"));
  EXPECT_TRUE(namesNoTownArea(u"利島村一円", u"利島村"));
  EXPECT_TRUE(namesNoTownArea(u"粟島浦村一円", u"岩船郡粟島浦村"));
  // 多賀町 has a town area called 一円.
  EXPECT_FALSE(namesNoTownArea(u"一円", u"犬上郡多賀町"));
  EXPECT_FALSE(namesNoTownArea(u"北一円", u"どこか市"));
  EXPECT_FALSE(namesNoTownArea(u"旭ケ丘", u"札幌市中央区"));
}

TEST(SmallKana, FoldsEverySmallKanaAndNothingElse) {
  Text reading = u"ﾎｯｶｲﾄﾞｳｻｯﾎﾟﾛｼﾁｭｳｵｳｸｧｨｩｪｫｬｭｮｯ";
  foldSmallKana(reading);
  EXPECT_EQ(toUtf8(reading), "ﾎﾂｶｲﾄﾞｳｻﾂﾎﾟﾛｼﾁﾕｳｵｳｸｱｲｳｴｵﾔﾕﾖﾂ");
  Text other = u"ｦｰｱﾝﾞﾟ(1ｶｲ)ァッ";
  foldSmallKana(other);
  EXPECT_EQ(toUtf8(other), "ｦｰｱﾝﾞﾟ(1ｶｲ)ァッ");
}

AddressRow row(const char* code, const char* town, const char* reading) {
  AddressRow r;
  r.municipality = u"01224";
  r.postalCode = fromUtf8(code);
  r.town = fromUtf8(town);
  r.townReading = fromUtf8(reading);
  return r;
}

TEST(SplitTownAreas, JoinsWrittenPartsAndSplitReadings) {
  std::vector<AddressRow> rows = {row("0660004", "旭ケ丘", "ｱｻﾋｶﾞｵｶ"), row("0660005", "協和（８８－２、", "ｷｮｳﾜ(88-2､"),
                                  row("0660005", "４２７－３、", "427-3､"),
                                  row("0660005", "１７５２番地）", "1752ﾊﾞﾝﾁ)"),
                                  row("0660005", "協和（その他）", "ｷｮｳﾜ(ｿﾉﾀ)")};
  EXPECT_EQ(joinSplitTownAreas(rows), 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(toUtf8(rows[1].town), "協和（８８－２、４２７－３、１７５２番地）");
  EXPECT_EQ(toUtf8(rows[1].townReading), "ｷｮｳﾜ(88-2､427-3､1752ﾊﾞﾝﾁ)");
  EXPECT_EQ(toUtf8(rows[2].town), "協和（その他）");
}

TEST(SplitTownAreas, TakesARepeatedReadingOnce) {
  std::vector<AddressRow> rows = {row("6048073", "大黒町（麩屋町通六角上る、", "ﾀﾞｲｺｸﾁｮｳ"),
                                  row("6048073", "富小路通六角下る、", "ﾀﾞｲｺｸﾁｮｳ"),
                                  row("6048073", "柳馬場東入）", "ﾀﾞｲｺｸﾁｮｳ")};
  EXPECT_EQ(joinSplitTownAreas(rows), 2);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(toUtf8(rows[0].town), "大黒町（麩屋町通六角上る、富小路通六角下る、柳馬場東入）");
  EXPECT_EQ(toUtf8(rows[0].townReading), "ﾀﾞｲｺｸﾁｮｳ");
}

TEST(SplitTownAreas, StopsAtAnotherPostalCodeOrTheEnd) {
  // A parenthesis left open is not carried into the next code's rows.
  std::vector<AddressRow> rows = {row("0660005", "協和（８８－２、", "ｷｮｳﾜ(88-2､"), row("0660006", "新星", "ｼﾝｾｲ"),
                                  row("0660007", "祝梅（１、", "ｼｭｸﾊﾞｲ(1､")};
  EXPECT_EQ(joinSplitTownAreas(rows), 0);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(toUtf8(rows[1].town), "新星");
}

TEST(HighRise, ParsesFloorsAndTheUnknownFloor) {
  auto floor = parseHighRise(u"丸の内ＪＰタワー（１０階）", u"ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ(10ｶｲ)");
  ASSERT_TRUE(floor);
  EXPECT_EQ(toUtf8(floor->place), "丸の内ＪＰタワー");
  EXPECT_EQ(toUtf8(floor->placeReading), "ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ");
  EXPECT_EQ(toUtf8(floor->floor), "１０階");
  EXPECT_EQ(toUtf8(floor->floorReading), "10ｶｲ");

  auto unknown =
      parseHighRise(u"名駅ミッドランドスクエア（高層棟）（地階・階層不明）", u"ﾒｲｴｷﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ(ｺｳｿｳﾄｳ)(ﾁｶｲ･ｶｲｿｳﾌﾒｲ)");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(toUtf8(unknown->place), "名駅ミッドランドスクエア");
  EXPECT_EQ(toUtf8(unknown->placeReading), "ﾒｲｴｷﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ");
  EXPECT_TRUE(unknown->floor.empty());
  EXPECT_TRUE(unknown->floorReading.empty());
}

TEST(HighRise, OtherNotesAreNoFloor) {
  EXPECT_FALSE(parseHighRise(u"丸の内（次のビルを除く）", u"ﾏﾙﾉｳﾁ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)"));
  EXPECT_FALSE(parseHighRise(u"大通西（１～１９丁目）", u"ｵｵﾄﾞｵﾘﾆｼ(1-19ﾁｮｳﾒ)"));
  EXPECT_FALSE(parseHighRise(u"某（階）", u"ﾎﾞｳ(ｶｲ)"));
  EXPECT_FALSE(parseHighRise(u"某（１Ａ階）", u"ﾎﾞｳ(1Aｶｲ)"));
  EXPECT_FALSE(parseHighRise(u"旭ケ丘", u"ｱｻﾋｶﾞｵｶ"));
}

TEST(TownAreaIndex, FindsTheLongestTownAreaThatBeginsTheName) {
  TownAreaIndex towns;
  towns.add(u"13101", u"丸の内", u"ﾏﾙﾉｳﾁ");
  towns.add(u"13101", u"丸", u"ﾏﾙ");
  towns.add(u"13102", u"丸の内ＪＰ", u"ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰ");  // another municipality
  const TownArea* town = towns.townOf(u"13101", u"丸の内丸の内パークビルディング", u"ﾏﾙﾉｳﾁﾏﾙﾉｳﾁﾊﾟｰｸﾋﾞﾙﾃﾞｨﾝｸﾞ");
  ASSERT_NE(town, nullptr);
  EXPECT_EQ(toUtf8(town->written), "丸の内");
  // The reading must agree too, and the town area cannot be the whole name.
  EXPECT_EQ(towns.townOf(u"13101", u"丸の内ビル", u"ｶﾞﾝﾉｳﾁﾋﾞﾙ"), nullptr);
  EXPECT_EQ(towns.townOf(u"13101", u"丸", u"ﾏﾙ"), nullptr);
  EXPECT_EQ(towns.townOf(u"99999", u"丸の内ビル", u"ﾏﾙﾉｳﾁﾋﾞﾙ"), nullptr);
}

TEST(AddressEntries, ABuildingWithoutAKnownTownAreaKeepsItsNameAsTownArea) {
  AddressRow building = row("1007001", "丸の内ＪＰタワー（１階）", "ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ(1ｶｲ)");
  AddressEntryCounts counts;
  std::vector<DataEntry> entries = makeAddressEntries({building}, "KEN_ALL.CSV", counts);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(toUtf8(entries[0].fields[kTown]), "丸の内ＪＰタワー");
  EXPECT_EQ(toUtf8(entries[0].fields[kTownReading]), "ﾏﾙﾉｳﾁｼﾞｪｲﾋﾟｰﾀﾜｰ");
  EXPECT_EQ(toUtf8(entries[0].fields[kBuilding]), "１階");
  EXPECT_EQ(toUtf8(entries[0].fields[kBuildingReading]), "1ｶｲ");
  EXPECT_EQ(counts.highRiseRows, 1);
  EXPECT_EQ(counts.highRiseWithoutTown, 1);
}

}  // namespace
}  // namespace zumaro::mkdat
