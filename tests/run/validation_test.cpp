#include "run/validation.h"

#include <gtest/gtest.h>

#include "run/messages.h"

namespace zumaro {
namespace {

class Validation : public ::testing::Test {
 protected:
  Validation() {
    // Values of an earlier run, so that what a failure leaves untouched shows.
    settings.inputPath = u"old.csv";
    settings.fieldCount = 20;
    settings.postalCodePosition = 11;
    settings.prefecturePosition = 12;
    settings.cityPosition = 13;
    settings.buildingPosition = 14;
    settings.companyPosition = 15;
    for (int k = 1; k <= kFurtherPairs; ++k) {
      settings.positionOfFurtherField[static_cast<size_t>(k)] = static_cast<int16_t>(k + 15);
      settings.conversionOfFurtherField[static_cast<size_t>(k)] = 32;
    }
  }

  void fillValid() {
    texts.inputPath = u"in.csv";
    texts.fieldCount = u"10";
    texts.postalCodePosition = u"1";
    texts.prefecturePosition = u"2";
    texts.cityPosition = u"3";
    texts.buildingPosition = u"4";
  }

  // The code of the failure, 0 when every check passes.
  int validate() {
    failure = validateSettings(texts, settings);
    return failure ? failure->errcode : 0;
  }

  Text& pos(int k) { return texts.positionOfFurtherField[static_cast<size_t>(k)]; }
  Text& opt(int k) { return texts.conversionOfFurtherField[static_cast<size_t>(k)]; }

  SettingsTexts texts;
  Settings settings;
  std::optional<ValidationFailure> failure;
};

TEST_F(Validation, FirstStateAsksForTheFieldCountAndTakesOnlyTheInputPath) {
  texts.inputPath = u"in.csv";
  EXPECT_EQ(validate(), 10);
  EXPECT_EQ(failure->message, u"項目数を入れて下さい。");
  EXPECT_EQ(settings.inputPath, u"in.csv");
  EXPECT_EQ(settings.fieldCount, 20);
}

TEST_F(Validation, FieldCountLimitsAndRounding) {
  fillValid();
  const struct {
    Text count;
    int code;
    int16_t stored;
  } cases[] = {{u"50", 0, 50}, {u"51", 1, 20}, {u"0", 10, 20}, {u"4", 0, 4}, {u"5.5", 0, 6}, {u"4.5", 0, 4}};
  for (const auto& c : cases) {
    settings.fieldCount = 20;
    texts.fieldCount = c.count;
    EXPECT_EQ(validate(), c.code) << toUtf8(c.count);
    EXPECT_EQ(settings.fieldCount, c.stored) << toUtf8(c.count);
  }

  texts.fieldCount = u"1";
  texts.postalCodePosition = texts.prefecturePosition = texts.cityPosition = texts.buildingPosition = u"1";
  EXPECT_EQ(validate(), 0);
  // A negative count is taken; only the positions after it can then fail.
  texts.fieldCount = u"-3";
  EXPECT_EQ(validate(), 3);
  EXPECT_EQ(settings.fieldCount, -3);
}

TEST_F(Validation, PositionsMustBeEnteredAndWithinTheCount) {
  fillValid();
  Text* boxes[] = {&texts.postalCodePosition, &texts.prefecturePosition, &texts.cityPosition, &texts.buildingPosition};
  for (int i = 0; i < 4; ++i) {
    const Text kept = *boxes[i];
    *boxes[i] = u"10";
    EXPECT_EQ(validate(), 0);
    *boxes[i] = u"0";
    EXPECT_EQ(validate(), 2 + 2 * i);
    EXPECT_EQ(failure->message, messageForCode(2 + 2 * i));
    *boxes[i] = u"11";
    EXPECT_EQ(validate(), 3 + 2 * i);
    EXPECT_EQ(failure->message, messageForCode(3 + 2 * i));
    *boxes[i] = kept;
  }
}

TEST_F(Validation, FirstFailingCheckInStepOrderWins) {
  fillValid();
  texts.fieldCount = u"0";
  texts.postalCodePosition = u"99";
  EXPECT_EQ(validate(), 10);
  texts.fieldCount = u"51";
  EXPECT_EQ(validate(), 1);
  texts.fieldCount = u"10";
  texts.postalCodePosition = u"1";
  texts.cityPosition = u"0";
  texts.buildingPosition = u"0";
  pos(1) = u"99";
  EXPECT_EQ(validate(), 6);
  // The town area comes after the building and before the company.
  texts.cityPosition = u"3";
  texts.townPosition = u"11";
  texts.companyPosition = u"x";
  EXPECT_EQ(validate(), 8);
  texts.buildingPosition = u"4";
  EXPECT_EQ(validate(), kTownAboveCount);
  texts.townPosition = u"0";
  EXPECT_EQ(validate(), kNotANumber);
}

TEST_F(Validation, CompanyPositionIsNotTiedToTheCount) {
  fillValid();
  for (Text company : {u"0", u"40", u"50", u"50.5"}) {
    texts.companyPosition = company;
    EXPECT_EQ(validate(), 0) << toUtf8(company);
  }
  EXPECT_EQ(settings.companyPosition, 50);
}

// Optional like the company, a field of the record like the building; only
// the tolerant comparison reads it.
TEST_F(Validation, TownAreaPositionIsOptionalWithinTheCountAndApartFromTheCity) {
  const struct {
    Text town;
    MatchMode match;
    int code;
    int16_t stored;  // over an earlier 19
  } cases[] = {
      {u"0", MatchMode::Tolerant, 0, 0},
      {u"10", MatchMode::Tolerant, 0, 10},
      {u"4.4", MatchMode::Tolerant, 0, 4},
      {u"10.4", MatchMode::Tolerant, kTownAboveCount, 19},
      {u"3", MatchMode::Tolerant, kTownInTheCityField, 19},
      {u"-1", MatchMode::Tolerant, kPositionOutsideTable, 19},
      {u"5", MatchMode::Classic, kTownWithClassicMatch, 19},
      {u"0", MatchMode::Classic, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(toUtf8(c.town));
    fillValid();
    texts.townPosition = c.town;
    texts.companyPosition = u"7";
    settings.townPosition = 19;
    settings.companyPosition = 15;
    failure = validateSettings(texts, settings, c.match);
    EXPECT_EQ(failure ? failure->errcode : 0, c.code);
    EXPECT_EQ(failure ? failure->message : u"", failureMessage(c.code, SettingItem::town));
    EXPECT_EQ(settings.townPosition, c.stored);
    EXPECT_EQ(settings.companyPosition, c.code == 0 ? 7 : 15);  // what comes after waits for it
  }
  EXPECT_EQ(failureMessage(kTownAboveCount, SettingItem::town), u"町域・番地の位置が不明です。");
  EXPECT_EQ(failureMessage(kTownInTheCityField, SettingItem::town),
            u"町域・番地の位置は市区町村名の位置と別の項目にして下さい。");
  EXPECT_EQ(failureMessage(kPositionOutsideTable, SettingItem::town), u"町域・番地の位置は０から５０迄です。");
}

TEST_F(Validation, FurtherPairsTakeAPositionBeforeAnOption) {
  fillValid();
  for (int k = 1; k <= kFurtherPairs; ++k) {
    EXPECT_EQ(validate(), 0) << k;
    pos(k) = u"3";
    EXPECT_EQ(validate(), 0) << k;
    pos(k) = u"11";
    opt(k) = u"4";
    EXPECT_EQ(validate(), 10 + 2 * k) << k;
    pos(k) = u"0";
    settings.conversionOfFurtherField[static_cast<size_t>(k)] = 32;
    EXPECT_EQ(validate(), 11 + 2 * k) << k;
    // The position was stored by its own step; the option was not.
    EXPECT_EQ(settings.positionOfFurtherField[static_cast<size_t>(k)], 0) << k;
    EXPECT_EQ(settings.conversionOfFurtherField[static_cast<size_t>(k)], 32) << k;
    pos(k) = u"5";
    opt(k) = u"21";
    EXPECT_EQ(validate(), 0) << k;
    EXPECT_EQ(settings.conversionOfFurtherField[static_cast<size_t>(k)], 21) << k;
  }
  // The decision looks at the numeric value, not the rounded position.
  pos(1) = u"0.3";
  opt(1) = u"4";
  EXPECT_EQ(validate(), 0);
  EXPECT_EQ(settings.positionOfFurtherField[1], 0);
}

TEST_F(Validation, FailureAtTheCityLeavesLaterSettingsAsBefore) {
  fillValid();
  texts.cityPosition = u"11";
  texts.companyPosition = u"7";
  EXPECT_EQ(validate(), 7);
  EXPECT_EQ(settings.inputPath, u"in.csv");
  EXPECT_EQ(settings.fieldCount, 10);
  EXPECT_EQ(settings.postalCodePosition, 1);
  EXPECT_EQ(settings.prefecturePosition, 2);
  EXPECT_EQ(settings.cityPosition, 13);
  EXPECT_EQ(settings.buildingPosition, 14);
  EXPECT_EQ(settings.companyPosition, 15);
  EXPECT_EQ(settings.positionOfFurtherField[1], 16);
}

TEST_F(Validation, RefusesBoxesThatAreNotNumbersWhenFirstRead) {
  const struct {
    Text* box;
    Text text;
    Text message;
  } cases[] = {
      {&texts.fieldCount, u"", u"項目数を数値で入れて下さい。"},
      {&texts.postalCodePosition, u"abc", u"郵便番号の位置を数値で入れて下さい。"},
      {&texts.prefecturePosition, u" ", u"県名の位置を数値で入れて下さい。"},
      {&texts.cityPosition, u"3a", u"市区町村名の位置を数値で入れて下さい。"},
      {&texts.buildingPosition, u"1,2", u"ビル、マンション名の位置を数値で入れて下さい。"},
      {&texts.townPosition, u"4丁目", u"町域・番地の位置を数値で入れて下さい。"},
      {&texts.companyPosition, u"5abc", u"企業名、団体名の位置を数値で入れて下さい。"},
      {&pos(1), u"x", u"その他の項目の1番目の位置を数値で入れて下さい。"},
      {&opt(3), u"", u"その他の項目の３番目の変換ｏｐｔｉｏｎを数値で入れて下さい。"},
  };
  for (const auto& c : cases) {
    fillValid();
    *c.box = c.text;
    EXPECT_EQ(validate(), kNotANumber) << toUtf8(c.message);
    EXPECT_EQ(failure->message, c.message);
    *c.box = u"0";
  }
  // Earlier checks still come first; an option is read before its decision.
  texts.fieldCount = u"0";
  texts.postalCodePosition = u"abc";
  EXPECT_EQ(validate(), 10);
  fillValid();
  pos(2) = u"99";
  opt(2) = u"abc";
  EXPECT_EQ(validate(), 14);
  pos(2) = u"0";
  EXPECT_EQ(validate(), kNotANumber);
}

TEST_F(Validation, RefusesIntegersOutsideSixteenBitsWhereTheyAreTaken) {
  const struct {
    Text* box;
    Text* position;  // the pair's position box, set to `pairPosition`
    Text pairPosition;
    Text text;
    int code;
    Text message;
  } cases[] = {
      {&texts.fieldCount, nullptr, u"", u"1e10", 1, u"項目数は５０迄です。"},
      {&texts.fieldCount, nullptr, u"", u"-40000", kIntegerOutOfRange, u"項目数は－３２７６８から３２７６７迄です。"},
      {&texts.postalCodePosition, nullptr, u"", u"1e10", 3, u"郵便番号の位置が不明です。"},
      {&texts.postalCodePosition, nullptr, u"", u"-40000", kIntegerOutOfRange,
       u"郵便番号の位置は－３２７６８から３２７６７迄です。"},
      {&texts.townPosition, nullptr, u"", u"1e10", kTownAboveCount, u"町域・番地の位置が不明です。"},
      {&texts.townPosition, nullptr, u"", u"-40000", kIntegerOutOfRange,
       u"町域・番地の位置は－３２７６８から３２７６７迄です。"},
      {&texts.companyPosition, nullptr, u"", u"1e10", kIntegerOutOfRange,
       u"企業名、団体名の位置は－３２７６８から３２７６７迄です。"},
      {&texts.companyPosition, nullptr, u"", u"-40000", kIntegerOutOfRange,
       u"企業名、団体名の位置は－３２７６８から３２７６７迄です。"},
      {&pos(4), nullptr, u"", u"-40000", kIntegerOutOfRange,
       u"その他の項目の４番目の位置は－３２７６８から３２７６７迄です。"},
      {&opt(5), &pos(5), u"0", u"1e10", 21, u"その他の項目の５番目は何番目の項目ですか？"},
      {&opt(5), &pos(5), u"3", u"1e10", kIntegerOutOfRange,
       u"その他の項目の５番目の変換ｏｐｔｉｏｎは－３２７６８から３２７６７迄です。"},
      {&opt(5), &pos(5), u"0", u"-40000", kIntegerOutOfRange,
       u"その他の項目の５番目の変換ｏｐｔｉｏｎは－３２７６８から３２７６７迄です。"},
  };
  for (const auto& c : cases) {
    texts = SettingsTexts{};
    fillValid();
    *c.box = c.text;
    if (c.position) *c.position = c.pairPosition;
    EXPECT_EQ(validate(), c.code) << toUtf8(c.message);
    EXPECT_EQ(failure ? failure->message : u"", c.message);
  }
}

TEST_F(Validation, RefusesPositionsOutsideTheFieldTable) {
  fillValid();
  texts.companyPosition = u"-1";
  EXPECT_EQ(validate(), kPositionOutsideTable);
  EXPECT_EQ(failure->message, u"企業名、団体名の位置は０から５０迄です。");
  texts.companyPosition = u"51";
  EXPECT_EQ(validate(), kPositionOutsideTable);
  texts.companyPosition = u"-0.4";
  EXPECT_EQ(validate(), 0);
  pos(7) = u"-2";
  EXPECT_EQ(validate(), kPositionOutsideTable);
  EXPECT_EQ(failure->message, u"その他の項目の７番目の位置は０から５０迄です。");
  texts.fieldCount = u"-3";
  texts.postalCodePosition = u"-5";
  EXPECT_EQ(validate(), kPositionOutsideTable);
  EXPECT_EQ(failure->message, u"郵便番号の位置は０から５０迄です。");
}

TEST_F(Validation, OptionsMustBeSumsOfCompatibleCodes) {
  fillValid();
  pos(2) = u"3";
  for (Text valid : {u"0", u"3", u"8", u"16", u"43", u"5.5"}) {
    opt(2) = valid;
    EXPECT_EQ(validate(), 0) << toUtf8(valid);
  }
  EXPECT_EQ(settings.conversionOfFurtherField[2], 6);
  for (Text invalid : {u"12", u"48", u"-1", u"64"}) {
    opt(2) = invalid;
    EXPECT_EQ(validate(), kUnknownOption) << toUtf8(invalid);
    EXPECT_EQ(failure->message, u"その他の項目の２番目の変換ｏｐｔｉｏｎの合計数が不明です。");
    EXPECT_EQ(settings.positionOfFurtherField[2], 3);
    EXPECT_EQ(settings.conversionOfFurtherField[2], 6);
  }
  opt(2) = u"0";
  pos(1) = u"1";
  opt(1) = u"12";
  EXPECT_EQ(validate(), kUnknownOption);
  EXPECT_EQ(failure->message, u"その他の項目の1番目の変換ｏｐｔｉｏｎの合計数が不明です。");
}

TEST(Messages, EveryFormCodeHasItsExactText) {
  const Text expected[26] = {
      u"",
      u"項目数は５０迄です。",
      u"郵便番号の位置を入れて下さい。",
      u"郵便番号の位置が不明です。",
      u"県名の位置を入れて下さい。",
      u"県名の位置が不明です。",
      u"市区町村名の位置を入れて下さい。",
      u"市区町村名の位置が不明です。",
      u"ビル、マンション名の位置を入れて下さい。",
      u"ビル、マンション名の位置が不明です。",
      u"項目数を入れて下さい。",
      u"",
      u"その他の項目の1番目の項目数を確認下さい。",
      u"その他の項目の1番目は何番目の項目ですか？",
      u"その他の項目の２番目の項目数を確認下さい。",
      u"その他の項目の２番目は何番目の項目ですか？",
      u"その他の項目の３番目の項目数を確認下さい。",
      u"その他の項目の３番目は何番目の項目ですか？",
      u"その他の項目の４番目の項目数を確認下さい。",
      u"その他の項目の４番目は何番目の項目ですか？",
      u"その他の項目の５番目の項目数を確認下さい。",
      u"その他の項目の５番目は何番目の項目ですか？",
      u"その他の項目の６番目の項目数を確認下さい。",
      u"その他の項目の６番目は何番目の項目ですか？",
      u"その他の項目の７番目の項目数を確認下さい。",
      u"その他の項目の７番目は何番目の項目ですか？",
  };
  for (int code = 0; code <= 25; ++code) {
    EXPECT_EQ(messageForCode(code), expected[code]) << code;
    EXPECT_EQ(failureMessage(code, SettingItem::company), expected[code]) << code;
  }
  EXPECT_EQ(messageForCode(kNotANumber), u"");
  EXPECT_EQ(failureMessage(kFixWithClassicMatch + 1, SettingItem::company), u"");
}

}  // namespace
}  // namespace zumaro
