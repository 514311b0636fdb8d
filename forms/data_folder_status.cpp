#include "forms/data_folder_status.h"

#include "forms/qt_text.h"

namespace zumaro::forms {

DataFolderStatus dataFolderStatus(const DataFolderDescription& d, const std::string& today) {
  DataFolderStatus status{qText(dataFolderLine(d, today)), {}, staleDataAge(d, today).has_value()};
  if (!d.exists) {
    status.problem = QStringLiteral("このフォルダはありません。「…」で郵便番号データのフォルダを選んで下さい。");
  } else if (d.filesMissing) {
    status.problem = QStringLiteral("データファイル（01.dat～23.dat）が揃っていません。");
  } else if (d.isSample) {
    status.problem =
        QStringLiteral("%1件の見本データです。全国のデータではほとんどの住所が変換されません。").arg(d.entries);
  }
  return status;
}

QString dataFolderText(const DataFolderStatus& status) {
  return status.problem.isEmpty() ? status.line : status.line + QLatin1Char('\n') + status.problem;
}

}  // namespace zumaro::forms
