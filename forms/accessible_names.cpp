#include "forms/accessible_names.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "state/conversion_state.h"

namespace zumaro::forms {
namespace {

// Each box beside the label that asks for it.
constexpr struct {
  const char* box;
  const char* label;
} kLabelledBoxes[] = {{"txtin", "LBL1"},    {"txtsu", "lblsu"},  {"txtno", "Label3"}, {"txtken", "Label4"},
                      {"txtcity", "Label5"}, {"txtbil", "Label6"}, {"Texco", "Label22"}, {"txtout", "Label8"}};

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

void nameLabelledBoxes(const QWidget& form) {
  for (const auto& pair : kLabelledBoxes) {
    auto* box = child<QLineEdit>(form, pair.box);
    auto* label = child<QLabel>(form, pair.label);
    if (!box || !label) continue;
    label->setBuddy(box);
    box->setAccessibleName(label->text());
  }
}

// The option frame asks one question for all seven rows; each box says
// which row and which column it is.
void nameFurtherFieldBoxes(const QWidget& form) {
  for (int k = 1; k <= kFurtherPairs; ++k) {
    const QString n = QString::number(k);
    if (auto* position = child<QLineEdit>(form, ("etc" + n).toLatin1().constData()))
      position->setAccessibleName(QStringLiteral("その他の項目%1の位置").arg(k));
    if (auto* option = child<QLineEdit>(form, ("etc" + n + "1").toLatin1().constData()))
      option->setAccessibleName(QStringLiteral("その他の項目%1の変換option").arg(k));
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
