#include "forms/settings_form_layout.h"

#include <array>

namespace zumaro::forms {
namespace {

using K = ControlKind;

// clang-format off
constexpr std::array kControls{
    ControlLayout{"instructionLabel", K::Label, nullptr, u"以下の情報を入力後実行をクリックして下さい。", {360, 120, 4455, 255}, 23},
    ControlLayout{"inputPathLabel", K::Label, nullptr, u"元のファイル名を指定して下さい。", {1200, 600, 2655, 255}, 24},
    ControlLayout{"inputPathBox", K::TextBox, nullptr, u"", {4080, 600, 6015, 270}, 0},
    ControlLayout{"inputPathExampleLabel", K::Label, nullptr, u"ex、C:\\HENKAN\\TEST.TXT", {1320, 840, 2415, 255}, 25},
    ControlLayout{"fieldCountLabel", K::Label, nullptr, u"元のファイルの項目数を指定して下さい。", {600, 1200, 3135, 375}, 26},
    ControlLayout{"fieldCountBox", K::TextBox, nullptr, u"0", {4080, 1080, 1335, 270}, 1},
    ControlLayout{"fieldCountRangeLabel", K::Label, nullptr, u"５以上、MAX50まで", {5520, 1080, 1575, 255}, 30},
    ControlLayout{"postalCodePositionLabel", K::Label, nullptr, u"郵便番号は何番目の項目ですか？", {1080, 1560, 2775, 255}, 33},
    ControlLayout{"postalCodePositionBox", K::TextBox, nullptr, u"0", {4080, 1560, 1215, 270}, 2},
    ControlLayout{"prefecturePositionLabel", K::Label, nullptr, u"県名は何番目の項目ですか？", {1320, 2040, 2655, 255}, 27},
    ControlLayout{"prefecturePositionBox", K::TextBox, nullptr, u"0", {4080, 2040, 1215, 270}, 3},
    ControlLayout{"cityPositionLabel", K::Label, nullptr, u"市区町村名丁目は何番目の項目ですか？", {600, 2520, 3255, 255}, 28},
    ControlLayout{"cityPositionBox", K::TextBox, nullptr, u"0", {4080, 2520, 1215, 270}, 4},
    ControlLayout{"buildingPositionLabel", K::Label, nullptr, u"ビル名、マンション名は何番目の項目ですか？", {240, 3000, 3615, 255}, 29},
    ControlLayout{"buildingPositionBox", K::TextBox, nullptr, u"0", {4080, 3000, 1215, 270}, 5},
    ControlLayout{"conversionCodesFrame", K::Frame, nullptr, u"変換ＯＰＴＩＯＮ", {7440, 3240, 2775, 3015}, 38},
    ControlLayout{"upperCaseCodeLabel", K::Label, "conversionCodesFrame", u"１：大文字に変換", {240, 600, 1695, 255}, 39},
    ControlLayout{"lowerCaseCodeLabel", K::Label, "conversionCodesFrame", u"２：小文字に変換", {240, 960, 2175, 255}, 40},
    ControlLayout{"titleCaseCodeLabel", K::Label, "conversionCodesFrame", u"３：先頭の文字を大文字に変換", {240, 1320, 2415, 255}, 41},
    ControlLayout{"toFullWidthCodeLabel", K::Label, "conversionCodesFrame", u"４：半角を全角に変換", {240, 1680, 2175, 255}, 42},
    ControlLayout{"toHalfWidthCodeLabel", K::Label, "conversionCodesFrame", u"８：全角を半角に変換", {240, 2040, 2415, 255}, 43},
    ControlLayout{"toKatakanaCodeLabel", K::Label, "conversionCodesFrame", u"１６：ひらがなをカタカナに変換", {120, 2400, 2655, 255}, 44},
    ControlLayout{"toHiraganaCodeLabel", K::Label, "conversionCodesFrame", u"３２：カタカナをひらがなに変換", {120, 2760, 2655, 255}, 45},
    ControlLayout{"companyPositionLabel", K::Label, nullptr, u"企業名、団体名は何番目の項目ですか？", {600, 3480, 3255, 255}, 48},
    ControlLayout{"companyPositionBox", K::TextBox, nullptr, u"0", {4080, 3480, 1215, 270}, 47},
    ControlLayout{"furtherFieldsFrame", K::Frame, nullptr, u"Option", {240, 3840, 6975, 2415}, 34},
    ControlLayout{"furtherPositionsLabel", K::Label, "furtherFieldsFrame", u"その他の項目で文字列変換をしたい項目は何番目ですか？", {120, 240, 4695, 255}, 37},
    ControlLayout{"furtherConversionsLabel", K::Label, "furtherFieldsFrame", u"変換ｏｐｔｉｏｎの合計数", {5040, 240, 1935, 255}, 46},
    ControlLayout{"furtherPosition1", K::TextBox, "furtherFieldsFrame", u"0", {4320, 480, 615, 270}, 6},
    ControlLayout{"furtherConversion1", K::TextBox, "furtherFieldsFrame", u"0", {5400, 480, 735, 270}, 7},
    ControlLayout{"furtherPosition2", K::TextBox, "furtherFieldsFrame", u"0", {4320, 720, 615, 270}, 8},
    ControlLayout{"furtherConversion2", K::TextBox, "furtherFieldsFrame", u"0", {5400, 720, 735, 270}, 9},
    ControlLayout{"furtherPosition3", K::TextBox, "furtherFieldsFrame", u"0", {4320, 960, 615, 270}, 10},
    ControlLayout{"furtherConversion3", K::TextBox, "furtherFieldsFrame", u"0", {5400, 960, 735, 270}, 11},
    ControlLayout{"furtherPosition4", K::TextBox, "furtherFieldsFrame", u"0", {4320, 1200, 615, 270}, 12},
    ControlLayout{"furtherConversion4", K::TextBox, "furtherFieldsFrame", u"0", {5400, 1200, 735, 270}, 13},
    ControlLayout{"furtherPosition5", K::TextBox, "furtherFieldsFrame", u"0", {4320, 1440, 615, 270}, 14},
    ControlLayout{"furtherConversion5", K::TextBox, "furtherFieldsFrame", u"0", {5400, 1440, 735, 270}, 15},
    ControlLayout{"furtherPosition6", K::TextBox, "furtherFieldsFrame", u"0", {4320, 1680, 615, 270}, 16},
    ControlLayout{"furtherConversion6", K::TextBox, "furtherFieldsFrame", u"0", {5400, 1680, 735, 270}, 17},
    ControlLayout{"furtherPosition7", K::TextBox, "furtherFieldsFrame", u"0", {4320, 1920, 615, 270}, 18},
    ControlLayout{"furtherConversion7", K::TextBox, "furtherFieldsFrame", u"0", {5400, 1920, 735, 270}, 19},
    ControlLayout{"outputPathLabel", K::Label, nullptr, u"出力先のファイル名を指定して下さい。", {720, 6360, 3015, 255}, 31},
    ControlLayout{"outputPathBox", K::TextBox, nullptr, u"", {3840, 6360, 5655, 270}, 20},
    ControlLayout{"outputPathExampleLabel", K::Label, nullptr, u"ex、c:\\My Documents\\yubin.txt", {960, 6600, 2415, 255}, 32},
    ControlLayout{"runButton", K::Button, nullptr, u"実  行", {7920, 6840, 975, 735}, 21},
    ControlLayout{"exitButton", K::Button, nullptr, u"終   了", {9120, 6840, 975, 735}, 22},
};
// clang-format on

}  // namespace

std::span<const ControlLayout> settingsFormLayout() { return kControls; }

}  // namespace zumaro::forms
