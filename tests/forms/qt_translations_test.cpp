// Qt's own texts follow a Japanese locale and stay English elsewhere.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "forms/form_harness.h"
#include "forms/qt_translations.h"

namespace zumaro {
namespace {

// What a standard button of a dialog says.
QString cancelCaption() {
  QDialogButtonBox buttons(QDialogButtonBox::Cancel);
  return buttons.button(QDialogButtonBox::Cancel)->text();
}

// Takes the translator out again so that other tests meet Qt as it was.
class InstalledTranslations {
 public:
  explicit InstalledTranslations(const QLocale& locale) : translator(forms::installQtTranslations(locale)) {}
  ~InstalledTranslations() {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  InstalledTranslations(const InstalledTranslations&) = delete;
  InstalledTranslations& operator=(const InstalledTranslations&) = delete;
  QTranslator* translator;
};

TEST(QtTranslations, JapaneseLocaleGivesJapaneseStandardButtons) {
  for (const char* name : {"ja_JP", "ja"}) {
    SCOPED_TRACE(name);
    InstalledTranslations installed{QLocale(QString::fromLatin1(name))};
    ASSERT_NE(installed.translator, nullptr) << "qtbase_ja.qm not found (qt6-translations-l10n)";
    EXPECT_FALSE(installed.translator->isEmpty());
    EXPECT_EQ(cancelCaption(), "キャンセル");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), "開く");
  }
  EXPECT_EQ(cancelCaption(), "Cancel");
}

TEST(QtTranslations, OtherLocalesLeaveQtAsItIs) {
  for (const QLocale& locale :
       {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::Chinese, QLocale::China)}) {
    SCOPED_TRACE(locale.name().toStdString());
    InstalledTranslations installed{locale};
    EXPECT_EQ(installed.translator, nullptr);
    EXPECT_EQ(cancelCaption(), "Cancel");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), "Open");
  }
}

}  // namespace
}  // namespace zumaro
