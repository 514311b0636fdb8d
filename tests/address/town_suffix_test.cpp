#include "address/town_suffix.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

struct Outcome {
  std::string column7, column8, cityField;
  int cityReadingLength, townReadingLength;
};

// Runs chou then machi the way compareAndApplyEntry does: lengths measured from the entry and
// the record first, machi seeing what chou left.
Outcome normalise(const Text& column6, const Text& column7, const Text& column8, const Text& cityField,
                  bool sharedField = false) {
  ConversionState s;
  s.settings.prefecturePosition = 3;
  s.settings.cityPosition = sharedField ? 3 : 4;
  s.entryColumn[6] = column6;
  s.entryColumn[7] = column7;
  s.entryColumn[8] = column8;
  s.cityField = cityField;
  AddressWork w;
  w.prefectureReadingLength = len(column6);
  w.cityReadingLength = len(column7);
  w.townReadingLength = len(column8);
  w.cityFieldLength = len(cityField);
  chou(s, w);
  machi(s, w);
  return {toUtf8(s.entryColumn[7]), toUtf8(s.entryColumn[8]), toUtf8(s.cityField), w.cityReadingLength,
          w.townReadingLength};
}

void expectOutcome(const Outcome& got, const std::string& column7, const std::string& column8,
                   const std::string& cityField) {
  EXPECT_EQ(got.column7, column7);
  EXPECT_EQ(got.column8, column8);
  EXPECT_EQ(got.cityField, cityField);
  EXPECT_EQ(got.cityReadingLength, len(fromUtf8(column7))) << "cityReadingLength follows the cut";
  EXPECT_EQ(got.townReadingLength, len(fromUtf8(column8))) << "townReadingLength follows the cut";
}

TEST(TownSuffix, MachiAndChouAgreeWhicheverTheEntryReads) {
  // Entry ﾏﾁ, record ﾁﾖｳ, in the town area: machi cuts.
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", u"ﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3"), "ﾐﾄﾞﾘｸ", "ﾎﾝ", "ﾐﾄﾞﾘｸﾎﾝ1-2-3");
  // Entry ﾁﾖｳ, record ﾏﾁ, in the city: chou cuts.
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾅﾐﾁﾖｳ", u"ｻｸﾗ", u"ﾐﾅﾐﾏﾁｻｸﾗ2-5"), "ﾐﾅﾐ", "ｻｸﾗ", "ﾐﾅﾐｻｸﾗ2-5");
  // Both read ﾁﾖｳ: nothing changes.
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾅﾐﾁﾖｳ", u"ｻｸﾗ", u"ﾐﾅﾐﾁﾖｳｻｸﾗ2-5"), "ﾐﾅﾐﾁﾖｳ", "ｻｸﾗ", "ﾐﾅﾐﾁﾖｳｻｸﾗ2-5");
}

TEST(TownSuffix, LeavesEverythingWhenThereIsNothingToAgree) {
  expectOutcome(normalise(u"", u"ｱ", u"ﾏ", u"ｱﾏﾁﾖｳ"), "ｱ", "ﾏ", "ｱﾏﾁﾖｳ");
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ｻｸﾗ", u"ﾐﾄﾞﾘｸｻｸﾗﾁﾖｳ1"), "ﾐﾄﾞﾘｸ", "ｻｸﾗ", "ﾐﾄﾞﾘｸｻｸﾗﾁﾖｳ1");
  // The record has the same ﾏﾁ at the same place.
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", u"ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2"), "ﾐﾄﾞﾘｸ", "ﾎﾝﾏﾁ", "ﾐﾄﾞﾘｸﾎﾝﾏﾁ1-2");
  // A two-character city and no town reading: keyLength 2 takes no probe.
  expectOutcome(normalise(u"", u"ｱｲ", u"", u"ｱｲﾏﾁ1"), "ｱｲ", "", "ｱｲﾏﾁ1");
}

TEST(TownSuffix, CutCharactersAreNotCompared) {
  // Behind the head a town-area ﾏﾁ drops any three characters, a city ﾁﾖｳ any two.
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", u"ﾐﾄﾞﾘｸﾎﾝｱｲｳ9"), "ﾐﾄﾞﾘｸ", "ﾎﾝ", "ﾐﾄﾞﾘｸﾎﾝ9");
  expectOutcome(normalise(u"", u"ﾐﾅﾐﾁﾖｳ", u"", u"ﾐﾅﾐｶｷｸｹ"), "ﾐﾅﾐ", "", "ﾐﾅﾐｸｹ");
  // A record shorter than the head: the head is all of it, no tail.
  expectOutcome(normalise(u"", u"ﾐﾅﾐﾁﾖｳ", u"", u"ﾐﾅ"), "ﾐﾅﾐ", "", "ﾐﾅ");
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", u"ﾐﾄﾞﾘｸﾎ"), "ﾐﾄﾞﾘｸ", "ﾎﾝ", "ﾐﾄﾞﾘｸﾎ");
}

TEST(TownSuffix, ChouRunsFirstAndMachiSeesItsCut) {
  expectOutcome(normalise(u"", u"ﾐﾅﾐﾁﾖｳ", u"ﾎﾝﾏﾁ", u"ﾐﾅﾐﾏﾁﾎﾝﾁﾖｳ3"), "ﾐﾅﾐ", "ﾎﾝ", "ﾐﾅﾐﾎﾝ3");
}

TEST(TownSuffix, SharedFieldShiftsEveryPositionByThePrefectureReading) {
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾄﾞﾘｸ", u"ﾎﾝﾏﾁ", u"ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝﾁﾖｳ1-2-3", true), "ﾐﾄﾞﾘｸ", "ﾎﾝ",
                "ﾄｳｷﾖｳﾄﾐﾄﾞﾘｸﾎﾝ1-2-3");
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾅﾐﾁﾖｳ", u"ｻｸﾗ", u"ﾄｳｷﾖｳﾄﾐﾅﾐﾏﾁｻｸﾗ2-5", true), "ﾐﾅﾐ", "ｻｸﾗ", "ﾄｳｷﾖｳﾄﾐﾅﾐｻｸﾗ2-5");
  // The record agrees once the prefix is counted in.
  expectOutcome(normalise(u"ｷﾖｳﾄﾌ", u"ﾐﾅﾐﾁﾖｳ", u"", u"ｷﾖｳﾄﾌﾐﾅﾐﾁﾖｳ1", true), "ﾐﾅﾐﾁﾖｳ", "", "ｷﾖｳﾄﾌﾐﾅﾐﾁﾖｳ1");
  // Without the shared field the same prefecture reading moves nothing.
  expectOutcome(normalise(u"ｷﾖｳﾄﾌ", u"ﾐﾅﾐﾁﾖｳ", u"", u"ﾐﾅﾐﾁﾖｳ1"), "ﾐﾅﾐﾁﾖｳ", "", "ﾐﾅﾐﾁﾖｳ1");
}

TEST(TownSuffix, ReadingsThatAreExactlyTheSuffix) {
  // ﾁﾖｳ alone stays; the record is cut behind the full reading.
  expectOutcome(normalise(u"", u"ﾁﾖｳ", u"", u"ﾏﾁｻｸﾗ1"), "ﾁﾖｳ", "", "ﾏﾁｻ1");
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾁﾖｳ", u"ﾐﾄﾞﾘｸﾏﾁ1-2"), "ﾐﾄﾞﾘｸ", "ﾁﾖｳ", "ﾐﾄﾞﾘｸﾏﾁ1");
  // ﾏﾁ alone stays in chou, cut behind it; machi empties it and cuts behind the prefix.
  expectOutcome(normalise(u"", u"ﾏﾁ", u"", u"ｱｲｳｴｵｶｷ"), "ﾏﾁ", "", "ｱｲｶｷ");
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾏﾁ", u"ﾐﾄﾞﾘｸﾁﾖｳ1"), "ﾐﾄﾞﾘｸ", "", "ﾐﾄﾞﾘｸ1");
  // Agreeing records are left alone in both.
  expectOutcome(normalise(u"", u"ﾏﾁ", u"", u"ﾏﾁｱｲ"), "ﾏﾁ", "", "ﾏﾁｱｲ");
  expectOutcome(normalise(u"", u"ﾐﾄﾞﾘｸ", u"ﾏﾁ", u"ﾐﾄﾞﾘｸﾏﾁ1"), "ﾐﾄﾞﾘｸ", "ﾏﾁ", "ﾐﾄﾞﾘｸﾏﾁ1");
}

}  // namespace
}  // namespace zumaro
