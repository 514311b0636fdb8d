#pragma once
// The records of the last run that deserve a look: one row a record and
// reason, sortable, filtered by reason; the run's warnings; and the report
// and the unmatched records, saved where the user says.
#include <QWidget>
#include <memory>

#include "forms/run_review.h"

class QComboBox;
class QModelIndex;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace zumaro::forms {

class ReviewWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, closed with `owner`.
  ReviewWindow(std::shared_ptr<const RunReview> review, QWidget* owner);

  // Copies the run's file to `path`; false after telling the user why not.
  bool saveReport(const QString& path);
  bool saveUnmatched(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QStandardItemModel* makeModel();
  QComboBox* makeReasonFilter();
  QWidget* makeWarnings();
  QWidget* makeDetail();
  void showDetail(const QModelIndex& current);
  void keepARowChosen();
  void fitColumns();
  void filterByReason(int index);
  bool saveCopy(const QString& from, const QString& to);
  QString besideOutput(const QString& ending) const;
  void askAndSave(const QString& title, const QString& suggested, bool (ReviewWindow::*save)(const QString&));

  std::shared_ptr<const RunReview> review_;
  QSortFilterProxyModel* filter_ = nullptr;
  QTableView* table_ = nullptr;
  QPlainTextEdit* detail_ = nullptr;
  bool columnsFitted_ = false;
};

}  // namespace zumaro::forms
