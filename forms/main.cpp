// zumaro: the desktop program. It starts with the start form.
#include <QApplication>

#include "forms/form_style.h"
#include "forms/qt_translations.h"
#include "forms/remembered_data_folder.h"
#include "forms/start_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Zumaro"));
  QApplication::setApplicationName(QStringLiteral("Zumaro"));
  QApplication::setDesktopFileName(QStringLiteral("zumaro"));
  QApplication::setWindowIcon(zumaro::forms::programIcon());
  zumaro::forms::installQtTranslations();
  zumaro::forms::StartForm start(zumaro::forms::initialDataFolder());
  start.show();
  return app.exec();
}
