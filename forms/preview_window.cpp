#include "forms/preview_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/enter_presses.h"
#include "forms/qt_text.h"
#include "run/conversion_run.h"

namespace zumaro::forms {
namespace {

int columnCount(const ListPreview& preview) {
  size_t widest = static_cast<size_t>(preview.firstLineFields);
  for (const auto& record : preview.records) widest = std::max(widest, record.size());
  return static_cast<int>(widest);
}

QString summaryText(const ListPreview& preview, const QString& path) {
  return QStringLiteral("%1\n文字コード: %2、1行目の項目数: %3、表示しているレコード: %4件")
      .arg(path, qText(encodingLabel(preview.encoding)))
      .arg(preview.firstLineFields)
      .arg(preview.records.size());
}

}  // namespace

PreviewWindow::PreviewWindow(const ListPreview& preview, const QString& path, QWidget* owner)
    : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("preview"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("プレビュー"));
  resize(900, 520);

  auto* summary = new QLabel(summaryText(preview, path), this);
  summary->setObjectName(QStringLiteral("previewSummaryLabel"));
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* hint = new QLabel(
      QStringLiteral("列の見出し（番号）をクリックすると、その列を郵便番号などの位置に設定できます。"), this);

  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("previewTable"));
  table_->setAccessibleName(QStringLiteral("元のファイルの最初のレコード"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);  // Tab goes on to the buttons; arrows move in the table
  table_->verticalHeader()->hide();    // only the field numbers are numbers here
  table_->horizontalHeader()->setMinimumSectionSize(table_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  fillTable(preview);
  QHeaderView* header = table_->horizontalHeader();
  connect(header, &QHeaderView::sectionClicked, this, &PreviewWindow::offerRoles);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header, &QHeaderView::customContextMenuRequested, this,
          [this, header](const QPoint& at) { offerRoles(header->logicalIndexAt(at)); });

  auto* fieldCount = new QPushButton(QStringLiteral("項目数に %1 を入れる").arg(preview.firstLineFields), this);
  fieldCount->setObjectName(QStringLiteral("useFieldCountButton"));
  fieldCount->setAccessibleName(QStringLiteral("1行目の項目数を項目数に入れる"));
  fieldCount->setEnabled(preview.firstLineFields > 0);
  const int count = preview.firstLineFields;
  connect(fieldCount, &QPushButton::clicked, this, [this, count] { emit fieldCountChosen(count); });
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  close->setObjectName(QStringLiteral("closePreviewButton"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(fieldCount);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  if (QWidget* headerHint = makeHeaderHint(preview)) {
    layout->addWidget(headerHint);
    QWidget::setTabOrder(headerHint->findChild<QPushButton*>(), table_);
  }
  QWidget::setTabOrder(table_, fieldCount);
  QWidget::setTabOrder(fieldCount, close);
  table_->setFocus();
  layout->addWidget(hint);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  pressButtonsOnEnter(*this);
}

// The run's warning about a header row read as a record, with the way out;
// nothing when the first record looks like none.
QWidget* PreviewWindow::makeHeaderHint(const ListPreview& preview) {
  const auto column = static_cast<size_t>(preview.headerRowField - 1);
  if (preview.headerRowField <= 0 || preview.records.empty() || column >= preview.records.front().size())
    return nullptr;
  const Text& field = preview.records.front()[column];
  auto* box = new QWidget(this);
  auto* text = new QLabel(qText(headerRowWarning(field)), box);
  text->setObjectName(QStringLiteral("headerHintLabel"));
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* tick = new QPushButton(QStringLiteral("「1行目は見出し」にチェックを入れる"), box);
  tick->setObjectName(QStringLiteral("headerRowButton"));
  connect(tick, &QPushButton::clicked, this, &PreviewWindow::headerChosen);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(text, 1);
  row->addWidget(tick);
  return box;
}

// Column headers are the field numbers; a header line, when there is one,
// shows under the number.
void PreviewWindow::fillTable(const ListPreview& preview) {
  const int columns = columnCount(preview);
  table_->setColumnCount(columns);
  table_->setRowCount(static_cast<int>(preview.records.size()));
  for (int c = 0; c < columns; ++c) {
    QString header = QString::number(c + 1);
    if (static_cast<size_t>(c) < preview.headerFields.size())
      header += QLatin1Char('\n') + qText(preview.headerFields[static_cast<size_t>(c)]);
    table_->setHorizontalHeaderItem(c, new QTableWidgetItem(header));
  }
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& record = preview.records[static_cast<size_t>(r)];
    for (int c = 0; c < static_cast<int>(record.size()); ++c)
      table_->setItem(r, c, new QTableWidgetItem(qText(record[static_cast<size_t>(c)])));
  }
  table_->resizeColumnsToContents();
}

void PreviewWindow::offerRoles(int column) {
  if (column < 0) return;
  QMenu menu(this);
  menu.setTitle(QStringLiteral("%1番目の項目").arg(column + 1));
  for (const FieldRole& role : kFieldRoles) {
    QAction* action =
        menu.addAction(QStringLiteral("%1番目を%2にする").arg(column + 1).arg(QString::fromUtf16(role.name)));
    connect(action, &QAction::triggered, this, [this, column, &role] { assignRole(column + 1, role); });
  }
  const QHeaderView* header = table_->horizontalHeader();
  menu.exec(header->mapToGlobal(QPoint(header->sectionViewportPosition(column), header->height())));
}

void PreviewWindow::assignRole(int field, const FieldRole& role) {
  emit positionChosen(QString::fromLatin1(role.box), field);
}

}  // namespace zumaro::forms
