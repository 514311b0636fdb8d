#include "forms/remembered_data_folder.h"

#include <QSettings>

#include "run/data_folder.h"

namespace zumaro::forms {
namespace {

const QString kKey = QStringLiteral("dataFolder");
const QString kOrganization = QStringLiteral("Zumaro");
const QString kApplication = QStringLiteral("Zumaro");

}  // namespace

std::string initialDataFolder() {
  const QString chosen = QSettings(kOrganization, kApplication).value(kKey).toString();
  if (!chosen.isEmpty()) return chosen.toStdString();
  return chooseDataFolder("").folder;
}

void rememberDataFolder(const std::string& folder) {
  QSettings(kOrganization, kApplication).setValue(kKey, QString::fromStdString(folder));
}

}  // namespace zumaro::forms
