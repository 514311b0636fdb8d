#include "forms/program_end.h"

#include <QApplication>

namespace zumaro::forms {

void endProgram() {
  QApplication::closeAllWindows();
  QCoreApplication::quit();
}

}  // namespace zumaro::forms
