#pragma once
// How the settings form shows the data folder a run will use: the line the
// command line prints, and what is wrong with the folder, if anything.
#include <QString>
#include <string>

#include "run/data_folder_description.h"

namespace zumaro::forms {

struct DataFolderStatus {
  QString line;        // 郵便番号データ: <folder>（<date>、<N>件）
  QString problem;     // empty when the folder can be used for real work
  bool stale = false;  // the line says how old the data are
};

// `today`: YYYY-MM-DD, see todayDate.
DataFolderStatus dataFolderStatus(const DataFolderDescription& description, const std::string& today);

// Both in one text, the problem after the line.
QString dataFolderText(const DataFolderStatus& status);

}  // namespace zumaro::forms
