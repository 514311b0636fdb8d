// The names assistive technology finds the forms' boxes and buttons by, as
// Qt hands them to AT-SPI.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

#include "forms/form_harness.h"
#include "forms/settings_form.h"
#include "forms/start_form.h"

namespace zumaro {
namespace {

using testing::control;

QString accessibleName(QWidget* w) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
  return face ? face->text(QAccessible::Name) : QString();
}

// Every box and button a user can reach, each with its own name.
void expectEveryControlNamedOnce(const QWidget& form) {
  QList<QWidget*> controls;
  for (auto* box : form.findChildren<QLineEdit*>()) controls << box;
  for (auto* button : form.findChildren<QAbstractButton*>()) controls << button;
  ASSERT_FALSE(controls.isEmpty());
  QSet<QString> seen;
  for (QWidget* w : controls) {
    SCOPED_TRACE(w->objectName().toStdString());
    const QString name = accessibleName(w);
    EXPECT_FALSE(name.trimmed().isEmpty());
    EXPECT_FALSE(seen.contains(name)) << "twice: " << name.toStdString();
    seen.insert(name);
  }
}

TEST(AccessibleNames, EveryBoxAndButtonOfTheSettingsFormHasItsOwnName) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  EXPECT_EQ(form.findChildren<QLineEdit*>().size(), 23);
  expectEveryControlNamedOnce(form);
}

TEST(AccessibleNames, BothButtonsOfTheStartFormHaveTheirOwnName) {
  forms::StartForm form{ZUMARO_SAMPLE_DATA_DIR};
  expectEveryControlNamedOnce(form);
}

TEST(AccessibleNames, SettingsFormControlsSayWhatTheyHold) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const struct {
    const char* control;
    const char* name;
  } expected[] = {
      {"inputPathBox", "元のファイル名を指定して下さい。"},
      {"fieldCountBox", "元のファイルの項目数を指定して下さい。"},
      {"postalCodePositionBox", "郵便番号は何番目の項目ですか？"},
      {"prefecturePositionBox", "県名は何番目の項目ですか？"},
      {"cityPositionBox", "市区町村名丁目は何番目の項目ですか？"},
      {"buildingPositionBox", "ビル名、マンション名は何番目の項目ですか？"},
      {"companyPositionBox", "企業名、団体名は何番目の項目ですか？"},
      {"townPositionBox", "町域・番地は何番目の項目ですか？"},
      {"furtherPosition1", "その他の項目1の位置"},
      {"furtherConversion1", "その他の項目1の変換option"},
      {"furtherPosition4", "その他の項目4の位置"},
      {"furtherConversion4", "その他の項目4の変換option"},
      {"furtherPosition7", "その他の項目7の位置"},
      {"furtherConversion7", "その他の項目7の変換option"},
      {"outputPathBox", "出力先のファイル名を指定して下さい。"},
      {"runButton", "実行"},
      {"exitButton", "終了"},
      {"browseInputButton", "元のファイルを選ぶ"},
      {"browseOutputButton", "出力先のファイルを選ぶ"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.control);
    auto* w = control<QWidget>(form, e.control);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(accessibleName(w), QString::fromUtf8(e.name));
  }
}

TEST(AccessibleNames, StartFormButtonsSayThePlainWords) {
  forms::StartForm form{ZUMARO_SAMPLE_DATA_DIR};
  EXPECT_EQ(accessibleName(control<QWidget>(form, "okButton")), "実行");
  EXPECT_EQ(accessibleName(control<QWidget>(form, "endButton")), "終了");
}

// What a screen reader adds after the name: the example or limit beside
// the box, or the question of the box's column.
TEST(AccessibleNames, ExamplesAndColumnQuestionsDescribeTheirBoxes) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const struct {
    const char* box;
    const char* description;
  } expected[] = {
      {"inputPathBox", "ex、C:\\HENKAN\\TEST.TXT"},
      {"fieldCountBox", "５以上、MAX50まで"},
      {"outputPathBox", "ex、c:\\My Documents\\yubin.txt"},
      {"furtherPosition1", "その他の項目で文字列変換をしたい項目は何番目ですか？"},
      {"furtherPosition7", "その他の項目で文字列変換をしたい項目は何番目ですか？"},
      {"furtherConversion1", "変換ｏｐｔｉｏｎの合計数"},
      {"furtherConversion7", "変換ｏｐｔｉｏｎの合計数"},
      {"postalCodePositionBox", ""},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.box);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control<QWidget>(form, e.box));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->text(QAccessible::Description), QString::fromUtf8(e.description));
  }
}

// A screen reader reads the label as the box's label and moves to the box
// from it.
TEST(AccessibleNames, EachAskingLabelLabelsItsBox) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const std::pair<const char*, const char*> pairs[] = {{"inputPathLabel", "inputPathBox"},
                                                       {"fieldCountLabel", "fieldCountBox"},
                                                       {"postalCodePositionLabel", "postalCodePositionBox"},
                                                       {"prefecturePositionLabel", "prefecturePositionBox"},
                                                       {"cityPositionLabel", "cityPositionBox"},
                                                       {"buildingPositionLabel", "buildingPositionBox"},
                                                       {"companyPositionLabel", "companyPositionBox"},
                                                       {"outputPathLabel", "outputPathBox"},
                                                       {"townPositionLabel", "townPositionBox"}};
  for (const auto& [labelName, boxName] : pairs) {
    SCOPED_TRACE(boxName);
    auto* label = control<QLabel>(form, labelName);
    auto* box = control<QWidget>(form, boxName);
    ASSERT_TRUE(label && box);
    EXPECT_EQ(label->buddy(), box);
    QAccessibleInterface* boxFace = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(boxFace, nullptr);
    bool labelled = false;
    for (const auto& [other, relation] : boxFace->relations(QAccessible::Label))
      labelled = labelled || other->object() == label;
    EXPECT_TRUE(labelled);
  }
}

TEST(AccessibleNames, AddedSettingsSayWhatTheyAreAndDo) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const struct {
    const char* control;
    const char* name;
    QAccessible::Role role;
  } expected[] = {
      {"kanjiBlocksCheck", "番地を漢字で書く", QAccessible::CheckBox},
      {"headerRowCheck", "1行目は見出し", QAccessible::CheckBox},
      {"fixPostalCodeCheck", "郵便番号を直す", QAccessible::CheckBox},
      {"encodingChoice", "文字コード", QAccessible::ComboBox},
      {"encodingLabel", "文字コード", QAccessible::StaticText},
      {"previewButton", "元のファイルのプレビュー", QAccessible::Button},
      {"browseDataButton", "郵便番号データのフォルダを選ぶ", QAccessible::Button},
      {"updateDataButton", "郵便番号データを更新", QAccessible::Button},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.control);
    QWidget* w = control<QWidget>(form, e.control);
    ASSERT_NE(w, nullptr);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(face, nullptr);
    // On Unix Qt gives a combo box's current item as its name; the name set
    // on it still reaches the platforms that read it.
    const QString name = e.role == QAccessible::ComboBox ? w->accessibleName() : face->text(QAccessible::Name);
    EXPECT_EQ(name, QString::fromUtf8(e.name));
    EXPECT_EQ(face->role(), e.role);
  }
  // The data folder line is read out as it is shown.
  QAccessibleInterface* line = QAccessible::queryAccessibleInterface(control<QWidget>(form, "dataFolderLabel"));
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->text(QAccessible::Name).startsWith(QStringLiteral("郵便番号データ: ")));
}

}  // namespace
}  // namespace zumaro
