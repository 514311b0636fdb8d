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
      {"txtin", "元のファイル名を指定して下さい。"},
      {"txtsu", "元のファイルの項目数を指定して下さい。"},
      {"txtno", "郵便番号は何番目の項目ですか？"},
      {"txtken", "県名は何番目の項目ですか？"},
      {"txtcity", "市区町村名丁目は何番目の項目ですか？"},
      {"txtbil", "ビル名、マンション名は何番目の項目ですか？"},
      {"Texco", "企業名、団体名は何番目の項目ですか？"},
      {"txttown", "町域・番地は何番目の項目ですか？"},
      {"etc1", "その他の項目1の位置"},
      {"etc11", "その他の項目1の変換option"},
      {"etc4", "その他の項目4の位置"},
      {"etc41", "その他の項目4の変換option"},
      {"etc7", "その他の項目7の位置"},
      {"etc71", "その他の項目7の変換option"},
      {"txtout", "出力先のファイル名を指定して下さい。"},
      {"cmdact", "実行"},
      {"cmdexit", "終了"},
      {"cmdrefin", "元のファイルを選ぶ"},
      {"cmdrefout", "出力先のファイルを選ぶ"},
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
  EXPECT_EQ(accessibleName(control<QWidget>(form, "cmdok")), "実行");
  EXPECT_EQ(accessibleName(control<QWidget>(form, "cmdend")), "終了");
}

// What a screen reader adds after the name: the example or limit beside
// the box, or the question of the box's column.
TEST(AccessibleNames, ExamplesAndColumnQuestionsDescribeTheirBoxes) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const struct {
    const char* box;
    const char* description;
  } expected[] = {
      {"txtin", "ex、C:\\HENKAN\\TEST.TXT"},
      {"txtsu", "５以上、MAX50まで"},
      {"txtout", "ex、c:\\My Documents\\yubin.txt"},
      {"etc1", "その他の項目で文字列変換をしたい項目は何番目ですか？"},
      {"etc7", "その他の項目で文字列変換をしたい項目は何番目ですか？"},
      {"etc11", "変換ｏｐｔｉｏｎの合計数"},
      {"etc71", "変換ｏｐｔｉｏｎの合計数"},
      {"txtno", ""},
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
  const std::pair<const char*, const char*> pairs[] = {{"LBL1", "txtin"},   {"lblsu", "txtsu"},  {"Label3", "txtno"},
                                                       {"Label4", "txtken"}, {"Label5", "txtcity"}, {"Label6", "txtbil"},
                                                       {"Label22", "Texco"}, {"Label8", "txtout"},
                                                       {"lbltown", "txttown"}};
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
      {"chkblocks", "番地を漢字で書く", QAccessible::CheckBox},
      {"chkheader", "1行目は見出し", QAccessible::CheckBox},
      {"chkfixpostal", "郵便番号を直す", QAccessible::CheckBox},
      {"cboencoding", "文字コード", QAccessible::ComboBox},
      {"lblencoding", "文字コード", QAccessible::StaticText},
      {"cmdpreview", "元のファイルのプレビュー", QAccessible::Button},
      {"cmddata", "郵便番号データのフォルダを選ぶ", QAccessible::Button},
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
  QAccessibleInterface* line = QAccessible::queryAccessibleInterface(control<QWidget>(form, "lbldata"));
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->text(QAccessible::Name).startsWith(QStringLiteral("郵便番号データ: ")));
}

}  // namespace
}  // namespace zumaro
