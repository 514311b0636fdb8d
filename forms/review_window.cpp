#include "forms/review_window.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/message_box.h"

namespace zumaro::forms {
namespace {

enum Column { kRecord, kReason, kPostalCode, kAddress, kSuggestedCode, kSuggestedAddress, kMessage, kColumns };

const char16_t* const kHeaders[kColumns] = {u"件目",           u"理由",       u"郵便番号", u"読み込んだ住所",
                                            u"候補の郵便番号", u"候補の住所", u"説明"};

QList<QStandardItem*> rowItems(const ReviewRow& row) {
  auto* record = new QStandardItem;
  record->setData(QVariant::fromValue<qlonglong>(row.record), Qt::DisplayRole);  // sorts as a number
  QList<QStandardItem*> items{record};
  for (const QString* text : {&row.reason, &row.postalCode, &row.addressAsRead, &row.suggestedPostalCode,
                              &row.suggestedAddress, &row.message})
    items << new QStandardItem(*text);
  for (QStandardItem* item : items) {
    item->setEditable(false);
    item->setToolTip(row.message);  // the whole explanation, which the last column may cut
  }
  return items;
}

}  // namespace

ReviewWindow::ReviewWindow(std::shared_ptr<const RunReview> review, QWidget* owner)
    : QWidget(owner, Qt::Window), review_(std::move(review)) {
  setObjectName(QStringLiteral("review"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("確認が必要なレコード"));
  resize(1000, 560);

  auto* summary = new QLabel(review_->summary, this);
  summary->setObjectName(QStringLiteral("lblsummary"));
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary->setWordWrap(true);

  filter_ = new QSortFilterProxyModel(this);
  filter_->setSourceModel(makeModel());
  filter_->setFilterKeyColumn(kReason);
  auto* table = new QTableView(this);
  table->setObjectName(QStringLiteral("tblreview"));
  table->setAccessibleName(QStringLiteral("確認が必要なレコードの一覧"));
  table->setModel(filter_);
  table->setSortingEnabled(true);
  table->sortByColumn(kRecord, Qt::AscendingOrder);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();  // the record number is the first column

  auto* saveReport = new QPushButton(QStringLiteral("CSVで保存"), this);
  saveReport->setObjectName(QStringLiteral("cmdsavereport"));
  saveReport->setEnabled(!review_->reportFile.isEmpty());
  connect(saveReport, &QPushButton::clicked, this, [this] {
    askAndSave(QStringLiteral("確認の一覧を保存"), besideOutput(QStringLiteral("_report.csv")),
               &ReviewWindow::saveReport);
  });
  auto* saveUnmatched = new QPushButton(QStringLiteral("照合できなかったレコードを保存"), this);
  saveUnmatched->setObjectName(QStringLiteral("cmdsaveunmatched"));
  saveUnmatched->setEnabled(!review_->unmatchedFile.isEmpty());
  connect(saveUnmatched, &QPushButton::clicked, this, [this] {
    const QString suffix = QFileInfo(review_->outputFile).suffix();
    askAndSave(QStringLiteral("照合できなかったレコードを保存"),
               besideOutput(QStringLiteral("_unmatched.") + (suffix.isEmpty() ? QStringLiteral("csv") : suffix)),
               &ReviewWindow::saveUnmatched);
  });
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("cmdclosereview"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* top = new QHBoxLayout;
  top->addWidget(summary, 1);
  top->addWidget(makeReasonFilter());
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(saveReport);
  buttons->addWidget(saveUnmatched);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table, 1);
  layout->addWidget(makeWarnings());
  layout->addLayout(buttons);
}

QStandardItemModel* ReviewWindow::makeModel() {
  auto* model = new QStandardItemModel(0, kColumns, this);
  for (int c = 0; c < kColumns; ++c) model->setHeaderData(c, Qt::Horizontal, QString::fromUtf16(kHeaders[c]));
  for (const ReviewRow& row : review_->rows) model->appendRow(rowItems(row));
  return model;
}

// すべて, then each reason that occurs, in the order first met.
QComboBox* ReviewWindow::makeReasonFilter() {
  auto* choice = new QComboBox(this);
  choice->setObjectName(QStringLiteral("cboreason"));
  choice->setAccessibleName(QStringLiteral("理由で絞り込む"));
  choice->addItem(QStringLiteral("すべての理由"));
  for (const ReviewRow& row : review_->rows)
    if (choice->findText(row.reason) < 0) choice->addItem(row.reason);
  connect(choice, &QComboBox::currentIndexChanged, this, &ReviewWindow::filterByReason);
  return choice;
}

QWidget* ReviewWindow::makeWarnings() {
  auto* warnings = new QPlainTextEdit(this);
  warnings->setObjectName(QStringLiteral("txtwarnings"));
  warnings->setAccessibleName(QStringLiteral("警告"));
  warnings->setReadOnly(true);
  warnings->setPlainText(review_->warnings.join(QLatin1Char('\n')));
  warnings->setMaximumHeight(warnings->fontMetrics().lineSpacing() * 4 + 12);
  warnings->setVisible(!review_->warnings.isEmpty());
  return warnings;
}

void ReviewWindow::filterByReason(int index) {
  auto* choice = findChild<QComboBox*>(QStringLiteral("cboreason"));
  if (index <= 0) {
    filter_->setFilterFixedString(QString());
    return;
  }
  filter_->setFilterRegularExpression(
      QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(choice->itemText(index)) + QLatin1Char('$')));
}

bool ReviewWindow::saveReport(const QString& path) { return saveCopy(review_->reportFile, path); }
bool ReviewWindow::saveUnmatched(const QString& path) { return saveCopy(review_->unmatchedFile, path); }

// The run's own file, byte for byte, so that it is what the command line
// writes for the same settings.
bool ReviewWindow::saveCopy(const QString& from, const QString& to) {
  if (QFile::exists(to) && !QFile::remove(to)) {
    showMessage(this, {windowTitle(), QStringLiteral("%1 を上書きできません。").arg(to), FormMessage::Icon::Warning});
    return false;
  }
  if (!QFile::copy(from, to)) {
    showMessage(this,
                {windowTitle(), QStringLiteral("%1 に保存できませんでした。").arg(to), FormMessage::Icon::Warning});
    return false;
  }
  return true;
}

// The output's name with `ending` in place of its suffix, in its folder.
QString ReviewWindow::besideOutput(const QString& ending) const {
  const QFileInfo output(QDir::fromNativeSeparators(review_->outputFile));
  if (review_->outputFile.isEmpty()) return {};
  return QDir::toNativeSeparators(output.dir().filePath(output.completeBaseName() + ending));
}

void ReviewWindow::askAndSave(const QString& title, const QString& suggested,
                              bool (ReviewWindow::*save)(const QString&)) {
  const QString path = QFileDialog::getSaveFileName(this, title, suggested, QStringLiteral("CSV (*.csv);;すべて (*)"));
  if (!path.isEmpty()) (this->*save)(path);
}

}  // namespace zumaro::forms
