#pragma once
// What a finished run leaves for the review window: the records that
// deserve a look, the warnings, and the report and unmatched files the run
// wrote into a folder of its own, which the user may save.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <vector>

namespace zumaro::forms {

struct ReviewRow {
  int64_t record = 0;  // 1 = the first record of the file
  QString reason;      // in Japanese
  QString postalCode;  // as read
  QString addressAsRead;
  QString suggestedPostalCode;
  QString suggestedAddress;
  QString message;
};

struct RunReview {
  QString summary;
  std::vector<ReviewRow> rows;
  QStringList warnings;
  int64_t unmatched = 0;
  std::shared_ptr<QTemporaryDir> folder;  // holds the two files while the review may save them
  QString reportFile;
  QString unmatchedFile;
  QString outputFile;  // as the user typed it, for the names the save dialogs offer

  bool deservesALook() const { return !rows.empty() || !warnings.isEmpty() || unmatched > 0; }
};

}  // namespace zumaro::forms
