#include "address/town_suffix.h"

#include <gtest/gtest.h>

namespace zumaro {
namespace {

struct Outcome {
  std::string dat7, dat8, reccity;
  int lencity, lentown;
};

// Runs chou then machi the way adrck does: lengths measured from the entry and
// the record first, machi seeing what chou left.
Outcome normalise(const Text& dat6, const Text& dat7, const Text& dat8, const Text& reccity, bool sharedField = false) {
  ConversionState s;
  s.settings.posken = 3;
  s.settings.poscity = sharedField ? 3 : 4;
  s.dat[6] = dat6;
  s.dat[7] = dat7;
  s.dat[8] = dat8;
  s.reccity = reccity;
  AddressWork w;
  w.lenken = len(dat6);
  w.lencity = len(dat7);
  w.lentown = len(dat8);
  w.lenrec = len(reccity);
  chou(s, w);
  machi(s, w);
  return {toUtf8(s.dat[7]), toUtf8(s.dat[8]), toUtf8(s.reccity), w.lencity, w.lentown};
}

void expectOutcome(const Outcome& got, const std::string& dat7, const std::string& dat8, const std::string& reccity) {
  EXPECT_EQ(got.dat7, dat7);
  EXPECT_EQ(got.dat8, dat8);
  EXPECT_EQ(got.reccity, reccity);
  EXPECT_EQ(got.lencity, len(fromUtf8(dat7))) << "lencity follows the cut";
  EXPECT_EQ(got.lentown, len(fromUtf8(dat8))) << "lentown follows the cut";
}

TEST(TownSuffix, WorkedExamples) {
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
  // A two-character city and no town reading: keylen 2 takes no probe.
  expectOutcome(normalise(u"", u"ｱｲ", u"", u"ｱｲﾏﾁ1"), "ｱｲ", "", "ｱｲﾏﾁ1");
}

TEST(TownSuffix, CutCharactersAreNotCompared) {
  // Case B drops any three characters behind the head, case A any two.
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
  expectOutcome(normalise(u"ﾄｳｷﾖｳﾄ", u"ﾐﾅﾐﾁﾖｳ", u"ｻｸﾗ", u"ﾄｳｷﾖｳﾄﾐﾅﾐﾏﾁｻｸﾗ2-5", true), "ﾐﾅﾐ", "ｻｸﾗ",
                "ﾄｳｷﾖｳﾄﾐﾅﾐｻｸﾗ2-5");
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
