#pragma once
// Qt's own texts (file dialogs, standard buttons) in the user's language
// where that is Japanese; the forms' own texts are Japanese everywhere.
#include <QLocale>

class QTranslator;

namespace zumaro::forms {

// On a Japanese `locale`, loads Qt's Japanese translations from Qt's
// translations folder and installs them on the application, which owns
// them. Returns the installed translator, or nullptr where the locale is
// not Japanese or the translations are not installed (Qt then speaks
// English, and the forms work as before).
QTranslator* installQtTranslations(const QLocale& locale = QLocale::system());

}  // namespace zumaro::forms
