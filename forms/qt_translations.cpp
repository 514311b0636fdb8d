#include "forms/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zumaro::forms {

QTranslator* installQtTranslations(const QLocale& locale) {
  if (locale.language() != QLocale::Japanese) return nullptr;
  auto* translator = new QTranslator(QCoreApplication::instance());
  // qtbase_ja holds the dialogs' and standard buttons' texts.
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace zumaro::forms
