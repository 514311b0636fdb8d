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
#include <QScrollBar>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <vector>

#include "forms/enter_presses.h"
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
  // The whole explanation, which the last column cuts; as rich text, so
  // that the tip wraps instead of running off the screen.
  const QString tip = QStringLiteral("<p>%1</p>").arg(row.message.toHtmlEscaped());
  for (QStandardItem* item : items) {
    item->setEditable(false);
    item->setToolTip(tip);
  }
  return items;
}

// The widths that fit `available` pixels: each as wide as its contents,
// the widest cut to one width where they do not all fit.
std::vector<int> fittedWidths(std::vector<int> widths, int available) {
  if (std::accumulate(widths.begin(), widths.end(), 0) <= available) return widths;
  std::vector<int> sorted = widths;
  std::sort(sorted.begin(), sorted.end());
  int narrower = 0;  // the sum of the widths below the cut
  int cut = 0;
  for (size_t i = 0; i < sorted.size(); ++i) {
    const int left = static_cast<int>(sorted.size() - i);
    cut = (available - narrower) / left;
    if (cut <= sorted[i]) break;
    narrower += sorted[i];
  }
  for (int& w : widths) w = std::min(w, std::max(cut, 0));
  return widths;
}

}  // namespace

ReviewWindow::ReviewWindow(std::shared_ptr<const RunReview> review, QWidget* owner)
    : QWidget(owner, Qt::Window), review_(std::move(review)) {
  setObjectName(QStringLiteral("review"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("確認が必要なレコード"));
  resize(1000, 560);

  auto* summary = new QLabel(review_->summary, this);
  summary->setObjectName(QStringLiteral("summaryLabel"));
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary->setWordWrap(true);

  filter_ = new QSortFilterProxyModel(this);
  filter_->setSourceModel(makeModel());
  filter_->setFilterKeyColumn(kReason);
  auto* table = new QTableView(this);
  table->setObjectName(QStringLiteral("reviewTable"));
  table->setAccessibleName(QStringLiteral("確認が必要なレコードの一覧"));
  table->setModel(filter_);
  table->setSortingEnabled(true);
  table->sortByColumn(kRecord, Qt::AscendingOrder);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move in it
  table->setWordWrap(false);          // a cut explanation ends in …
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();  // the record number is the first column
  table_ = table;

  auto* saveReport = new QPushButton(QStringLiteral("CSVで保存"), this);
  saveReport->setObjectName(QStringLiteral("saveReportButton"));
  saveReport->setEnabled(!review_->reportFile.isEmpty());
  connect(saveReport, &QPushButton::clicked, this, [this] {
    askAndSave(QStringLiteral("確認の一覧を保存"), besideOutput(QStringLiteral("_report.csv")),
               &ReviewWindow::saveReport);
  });
  auto* saveUnmatched = new QPushButton(QStringLiteral("照合できなかったレコードを保存"), this);
  saveUnmatched->setObjectName(QStringLiteral("saveUnmatchedButton"));
  saveUnmatched->setEnabled(!review_->unmatchedFile.isEmpty());
  connect(saveUnmatched, &QPushButton::clicked, this, [this] {
    const QString suffix = QFileInfo(review_->outputFile).suffix();
    askAndSave(QStringLiteral("照合できなかったレコードを保存"),
               besideOutput(QStringLiteral("_unmatched.") + (suffix.isEmpty() ? QStringLiteral("csv") : suffix)),
               &ReviewWindow::saveUnmatched);
  });
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("closeReviewButton"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

  QComboBox* reasons = makeReasonFilter();
  auto* top = new QHBoxLayout;
  top->addWidget(summary, 1);
  top->addWidget(reasons);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(saveReport);
  buttons->addWidget(saveUnmatched);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table, 1);
  layout->addWidget(makeDetail());
  layout->addWidget(makeWarnings());
  layout->addLayout(buttons);

  // Tab: the table, the filter, the buttons, round again; the text areas
  // are read, not visited.
  QWidget* order[] = {table, reasons, saveReport, saveUnmatched, close};
  for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ReviewWindow::showDetail);
  keepARowChosen();
  table->setFocus();
  pressButtonsOnEnter(*this);
}

// At the size the window opens with, every column shows: each as wide as
// its contents, the widest cut where they do not fit, and the explanation
// in what is left (its full text is in the tip and the area below).
void ReviewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (columnsFitted_) return;
  columnsFitted_ = true;
  fitColumns();
}

void ReviewWindow::fitColumns() {
  QHeaderView* header = table_->horizontalHeader();
  // The vertical scroll bar's room is kept whether or not it shows.
  const int available = table_->contentsRect().width() - table_->verticalScrollBar()->sizeHint().width();
  const int messageRoom = available / 4;
  std::vector<int> widths;
  for (int c = 0; c < kMessage; ++c) {
    table_->resizeColumnToContents(c);
    widths.push_back(header->sectionSize(c));
  }
  widths = fittedWidths(std::move(widths), available - messageRoom);
  for (int c = 0; c < kMessage; ++c) header->resizeSection(c, widths[static_cast<size_t>(c)]);
}

QWidget* ReviewWindow::makeDetail() {
  detail_ = new QPlainTextEdit(this);
  detail_->setObjectName(QStringLiteral("detailBox"));
  detail_->setAccessibleName(QStringLiteral("選んだ行の説明"));
  detail_->setReadOnly(true);
  detail_->setFocusPolicy(Qt::ClickFocus);
  detail_->setTabChangesFocus(true);
  detail_->setMaximumHeight(detail_->fontMetrics().lineSpacing() * 4 + 12);
  return detail_;
}

// The selected row's record, reason and whole explanation.
void ReviewWindow::showDetail(const QModelIndex& current) {
  if (!current.isValid()) {
    detail_->clear();
    return;
  }
  auto cell = [&](int column) { return filter_->index(current.row(), column).data().toString(); };
  detail_->setPlainText(QStringLiteral("%1件目　%2\n%3").arg(cell(kRecord), cell(kReason), cell(kMessage)));
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
  choice->setObjectName(QStringLiteral("reasonFilter"));
  choice->setAccessibleName(QStringLiteral("理由で絞り込む"));
  // On Unix Qt reads the current item as the name; this says what it is for.
  choice->setAccessibleDescription(QStringLiteral("表に出す行を理由で絞り込みます"));
  choice->addItem(QStringLiteral("すべての理由"));
  for (const ReviewRow& row : review_->rows)
    if (choice->findText(row.reason) < 0) choice->addItem(row.reason);
  connect(choice, &QComboBox::currentIndexChanged, this, &ReviewWindow::filterByReason);
  return choice;
}

QWidget* ReviewWindow::makeWarnings() {
  auto* warnings = new QPlainTextEdit(this);
  warnings->setObjectName(QStringLiteral("warningsBox"));
  warnings->setAccessibleName(QStringLiteral("警告"));
  warnings->setReadOnly(true);
  warnings->setFocusPolicy(Qt::ClickFocus);
  warnings->setTabChangesFocus(true);
  warnings->setPlainText(review_->warnings.join(QLatin1Char('\n')));
  warnings->setMaximumHeight(warnings->fontMetrics().lineSpacing() * 4 + 12);
  warnings->setVisible(!review_->warnings.isEmpty());
  return warnings;
}

void ReviewWindow::filterByReason(int index) {
  auto* choice = findChild<QComboBox*>(QStringLiteral("reasonFilter"));
  if (index <= 0) {
    filter_->setFilterFixedString(QString());
    keepARowChosen();
    return;
  }
  filter_->setFilterRegularExpression(
      QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(choice->itemText(index)) + QLatin1Char('$')));
  keepARowChosen();
}

// The area under the table always tells of a row the table shows.
void ReviewWindow::keepARowChosen() {
  if (!table_->currentIndex().isValid() && filter_->rowCount() > 0) table_->setCurrentIndex(filter_->index(0, 0));
  showDetail(table_->currentIndex());
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
