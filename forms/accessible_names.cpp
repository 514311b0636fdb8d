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
} kLabelledBoxes[] = {{"txtin", "LBL1", "Label2"},    {"txtsu", "lblsu", "Label7"},   {"txtno", "Label3", nullptr},
                      {"txtken", "Label4", nullptr},  {"txtcity", "Label5", nullptr}, {"txtbil", "Label6", nullptr},
                      {"Texco", "Label22", nullptr},  {"txtout", "Label8", "Label9"}};

// The captions of the two command buttons are spaced out for looks; the
// names are the plain words.
constexpr struct {
  const char* button;
  const char16_t* name;
} kButtons[] = {{"cmdact", u"実行"},
                {"cmdexit", u"終了"},
                {"cmdrefin", u"元のファイルを選ぶ"},
                {"cmdrefout", u"出力先のファイルを選ぶ"}};

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
  const QString positionQuestion = labelText(form, "Label11");
  const QString optionQuestion = labelText(form, "Label12");
  for (int k = 1; k <= kFurtherPairs; ++k) {
    const QString n = QString::number(k);
    if (auto* position = child<QLineEdit>(form, ("etc" + n).toLatin1().constData())) {
      position->setAccessibleName(QStringLiteral("その他の項目%1の位置").arg(k));
      position->setAccessibleDescription(positionQuestion);
    }
    if (auto* option = child<QLineEdit>(form, ("etc" + n + "1").toLatin1().constData())) {
      option->setAccessibleName(QStringLiteral("その他の項目%1の変換option").arg(k));
      option->setAccessibleDescription(optionQuestion);
    }
  }
}

void nameButtons(const QWidget& form) {
  for (const auto& b : kButtons)
    if (auto* button = child<QAbstractButton>(form, b.button))
      button->setAccessibleName(QString::fromUtf16(b.name));
}

}  // namespace

void nameSettingsControls(QWidget& settingsForm) {
  nameLabelledBoxes(settingsForm);
  nameFurtherFieldBoxes(settingsForm);
  nameButtons(settingsForm);
}

}  // namespace zumaro::forms
