#include "forms/accessible_names.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "state/conversion_state.h"

namespace zumaro::forms {
namespace {

// Each box beside the label that asks for it, and the red example or
// limit beside it, which becomes its description.
constexpr struct {
  const char* box;
  const char* label;
  const char* hint;  // nullptr: none
} kLabelledBoxes[] = {{"inputPathBox", "inputPathLabel", "inputPathExampleLabel"},
                      {"fieldCountBox", "fieldCountLabel", "fieldCountRangeLabel"},
                      {"postalCodePositionBox", "postalCodePositionLabel", nullptr},
                      {"prefecturePositionBox", "prefecturePositionLabel", nullptr},
                      {"cityPositionBox", "cityPositionLabel", nullptr},
                      {"buildingPositionBox", "buildingPositionLabel", nullptr},
                      {"companyPositionBox", "companyPositionLabel", nullptr},
                      {"outputPathBox", "outputPathLabel", "outputPathExampleLabel"},
                      {"townPositionBox", "townPositionLabel", nullptr}};

// The captions of the two command buttons are spaced out for looks; the
// names are the plain words.
constexpr struct {
  const char* button;
  const char16_t* name;
} kButtons[] = {{"runButton", u"実行"},
                {"exitButton", u"終了"},
                {"browseInputButton", u"元のファイルを選ぶ"},
                {"browseOutputButton", u"出力先のファイルを選ぶ"},
                {"previewButton", u"元のファイルのプレビュー"},
                {"browseDataButton", u"郵便番号データのフォルダを選ぶ"},
                {"updateDataButton", u"郵便番号データを更新"}};

// The controls added beside the original ones, with what they do.
constexpr struct {
  const char* control;
  const char16_t* name;
  const char16_t* description;
} kAddedSettings[] = {
    {"kanjiBlocksCheck", u"番地を漢字で書く", u"1ｰ2ｰ3を１－２－３、1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳを１丁目２番３号と書きます"},
    {"headerRowCheck", u"1行目は見出し", u"元のファイルの1行目は変換せず、そのまま出力の先頭に書きます"},
    {"encodingChoice", u"文字コード", u"元のファイルの文字コード。自動ではファイルの内容から判断します"},
    {"fixPostalCodeCheck", u"郵便番号を直す",
     u"郵便番号で変換できないレコードに、住所の読みから確かに決まる郵便番号を入れて変換します"},
};

template <typename T>
T* child(const QWidget& form, const char* name) {
  return form.findChild<T*>(QLatin1String(name));
}

QString labelText(const QWidget& form, const char* label) {
  const auto* found = label ? child<QLabel>(form, label) : nullptr;
  return found ? found->text() : QString();
}

void nameLabelledBoxes(const QWidget& form) {
  for (const auto& entry : kLabelledBoxes) {
    auto* box = child<QLineEdit>(form, entry.box);
    auto* label = child<QLabel>(form, entry.label);
    if (!box || !label) continue;
    label->setBuddy(box);
    box->setAccessibleName(label->text());
    box->setAccessibleDescription(labelText(form, entry.hint));
  }
}

// The option frame asks one question per column for all seven rows; each
// box says its row and column, and the column's question describes it.
void nameFurtherFieldBoxes(const QWidget& form) {
  const QString positionQuestion = labelText(form, "furtherPositionsLabel");
  const QString optionQuestion = labelText(form, "furtherConversionsLabel");
  for (int k = 1; k <= kFurtherPairs; ++k) {
    const QString n = QString::number(k);
    if (auto* position = child<QLineEdit>(form, ("furtherPosition" + n).toLatin1().constData())) {
      position->setAccessibleName(QStringLiteral("その他の項目%1の位置").arg(k));
      position->setAccessibleDescription(positionQuestion);
    }
    if (auto* option = child<QLineEdit>(form, ("furtherConversion" + n).toLatin1().constData())) {
      option->setAccessibleName(QStringLiteral("その他の項目%1の変換option").arg(k));
      option->setAccessibleDescription(optionQuestion);
    }
  }
}

void nameButtons(const QWidget& form) {
  for (const auto& b : kButtons)
    if (auto* button = child<QAbstractButton>(form, b.button)) button->setAccessibleName(QString::fromUtf16(b.name));
}

void nameAddedSettings(const QWidget& form) {
  for (const auto& a : kAddedSettings)
    if (auto* control = child<QWidget>(form, a.control)) {
      control->setAccessibleName(QString::fromUtf16(a.name));
      control->setAccessibleDescription(QString::fromUtf16(a.description));
    }
}

}  // namespace

void nameSettingsControls(QWidget& settingsForm) {
  nameLabelledBoxes(settingsForm);
  nameFurtherFieldBoxes(settingsForm);
  nameButtons(settingsForm);
  nameAddedSettings(settingsForm);
}

}  // namespace zumaro::forms
