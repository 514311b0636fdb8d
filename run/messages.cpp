#include "run/messages.h"

#include <array>

namespace zumaro {

namespace {

constexpr int kFirstPairCode = 12;
constexpr int kLastPairCode = 25;

// The form writes the first pair's number in ASCII and the others full width.
Text pairNumber(int pair) {
  if (pair == 1) return u"1";
  return Text(1, static_cast<char16_t>(u'０' + pair));
}

Text furtherField(int pair) { return u"その他の項目の" + pairNumber(pair) + u"番目"; }

Text itemName(SettingItem item, int pair) {
  switch (item) {
    case SettingItem::fieldCount:
      return u"項目数";
    case SettingItem::postalCode:
      return u"郵便番号の位置";
    case SettingItem::prefecture:
      return u"県名の位置";
    case SettingItem::city:
      return u"市区町村名の位置";
    case SettingItem::building:
      return u"ビル、マンション名の位置";
    case SettingItem::town:
      return u"町域・番地の位置";
    case SettingItem::company:
      return u"企業名、団体名の位置";
    case SettingItem::furtherPosition:
      return furtherField(pair) + u"の位置";
    case SettingItem::furtherOption:
      return furtherField(pair) + u"の変換ｏｐｔｉｏｎ";
  }
  return {};
}

}  // namespace

Text messageForCode(int errcode) {
  static const std::array<const char16_t*, 11> kSingle{
      nullptr,
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
  };
  if (errcode >= 1 && errcode <= 10) return kSingle[static_cast<size_t>(errcode)];
  if (errcode < kFirstPairCode || errcode > kLastPairCode) return {};
  // Pair k owns 10 + 2k (position above the count) and 11 + 2k (option
  // without a position).
  int pair = (errcode - 10) / 2;
  bool positionAboveCount = errcode % 2 == 0;
  return furtherField(pair) + (positionAboveCount ? u"の項目数を確認下さい。" : u"は何番目の項目ですか？");
}

Text failureMessage(int errcode, SettingItem item, int pair) {
  switch (errcode) {
    case kNotANumber:
      return itemName(item, pair) + u"を数値で入れて下さい。";
    case kIntegerOutOfRange:
      return itemName(item, pair) + u"は－３２７６８から３２７６７迄です。";
    case kPositionOutsideTable:
      return itemName(item, pair) + u"は０から５０迄です。";
    case kUnknownOption:
      return itemName(item, pair) + u"の合計数が不明です。";
    case kTownAboveCount:
      return u"町域・番地の位置が不明です。";
    case kTownInTheCityField:
      return u"町域・番地の位置は市区町村名の位置と別の項目にして下さい。";
    case kTownWithClassicMatch:
      return u"町域・番地の位置（--town）は --match classic では使えません。--match tolerant で実行して下さい。";
    case kFixWithClassicMatch:
      return u"郵便番号を直す（--fix-postal-code）は --match classic では使えません。--match tolerant "
             u"で実行して下さい。";
    default:
      return messageForCode(errcode);
  }
}

}  // namespace zumaro
