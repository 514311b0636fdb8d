#include "forms/added_controls.h"

#include <array>

namespace zumaro::forms {
namespace {

using K = AddedKind;

// Right of the field-count and position boxes, above the legend frame; the
// data folder line under the output box, left of Execute. The town area's
// question sits on the city's row, its box under the encoding choice; fixing
// the postal code beside the postal code's box.
// clang-format off
constexpr std::array kAdded{
    AddedControl{"kanjiBlocksCheck", K::CheckBox, u"番地を漢字で書く", {7440, 1320, 2895, 270}},
    AddedControl{"headerRowCheck", K::CheckBox, u"1行目は見出し", {7440, 1650, 2895, 270}},
    AddedControl{"encodingLabel", K::Caption, u"文字コード", {7440, 2040, 1080, 255}},
    AddedControl{"encodingChoice", K::Choice, u"", {8520, 1995, 1575, 315}},
    AddedControl{"previewButton", K::ToolButton, u"プレビュー", {8880, 900, 1215, 315}},
    AddedControl{"dataFolderLabel", K::Caption, u"", {240, 6900, 5040, 675}},
    AddedControl{"updateDataButton", K::ToolButton, u"郵便番号データを更新", {5340, 6900, 1995, 300}},
    AddedControl{"browseDataButton", K::ToolButton, u"…", {7380, 6900, 420, 270}},
    AddedControl{"townPositionLabel", K::Label, u"町域・番地は何番目の項目ですか？", {5760, 2520, 2895, 255}},
    AddedControl{"townPositionBox", K::TextBox, u"0", {8880, 2520, 1215, 270}},
    AddedControl{"fixPostalCodeCheck", K::CheckBox, u"郵便番号を直す", {5520, 1560, 1815, 270}},
};
// clang-format on

constexpr std::array kTabOrder{"kanjiBlocksCheck",   "headerRowCheck",    "encodingChoice", "townPositionBox",
                               "fixPostalCodeCheck", "browseInputButton", "previewButton",  "browseOutputButton",
                               "browseDataButton",   "updateDataButton"};

}  // namespace

std::span<const AddedControl> addedControls() { return kAdded; }

std::span<const char* const> addedTabOrder() { return kTabOrder; }

}  // namespace zumaro::forms
