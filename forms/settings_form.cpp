#include "forms/settings_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "forms/accessible_names.h"
#include "forms/added_controls.h"
#include "forms/caption_text.h"
#include "forms/data_folder_status.h"
#include "forms/data_update.h"
#include "forms/enter_presses.h"
#include "forms/file_drop.h"
#include "forms/form_style.h"
#include "forms/input_blocker.h"
#include "forms/message_box.h"
#include "forms/preview_window.h"
#include "forms/program_end.h"
#include "forms/qt_text.h"
#include "forms/remembered_data_folder.h"
#include "forms/review_rows.h"
#include "forms/review_window.h"
#include "forms/run_messages.h"
#include "forms/run_review.h"
#include "forms/run_worker.h"
#include "forms/settings_form_layout.h"
#include "records/list_preview.h"
#include "run/data_age.h"
#include "run/data_folder.h"
#include "run/messages.h"
#include "run/numeric_text.h"

namespace zumaro::forms {
namespace {

// About thirty captions a second look live and cost the run nothing.
constexpr int kCaptionIntervalMs = 33;

constexpr TwipsRect kBrowseInput{10140, 600, 360, 270};
constexpr TwipsRect kBrowseOutput{9540, 6360, 360, 270};

const std::set<std::string_view> kRedText{"upperCaseCodeLabel",   "lowerCaseCodeLabel",      "titleCaseCodeLabel",
                                          "toFullWidthCodeLabel", "toHalfWidthCodeLabel",    "toKatakanaCodeLabel",
                                          "toHiraganaCodeLabel",  "furtherConversionsLabel", "inputPathExampleLabel",
                                          "fieldCountRangeLabel", "outputPathExampleLabel",  "furtherFieldsFrame"};
const std::set<std::string_view> kButtonFont{"runButton", "exitButton"};
const std::set<std::string_view> kSmallFont{"toHiraganaCodeLabel",     "upperCaseCodeLabel",      "lowerCaseCodeLabel",
                                            "toFullWidthCodeLabel",    "toHalfWidthCodeLabel",    "toKatakanaCodeLabel",
                                            "prefecturePositionLabel", "furtherConversionsLabel", "furtherFieldsFrame"};

QFont fontOf(std::string_view name) {
  if (kButtonFont.count(name)) return gothicFont(12.0, true);
  if (name == "instructionLabel") return gothicFont(11.25);
  if (kSmallFont.count(name)) return gothicFont(9.75);
  return formDefaultFont();
}

// The caption sits on the frame's top line, and the frame's corner is the
// top-left of the control, as the layout's places inside a frame assume.
void styleFrame(QGroupBox& frame) {
  frame.setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid #8a9a8a; border-radius: 0; margin-top: 0.5em; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
}

QWidget* makeControl(const ControlLayout& c, QWidget* container) {
  const QString text = qText(c.text);
  switch (c.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(text, container);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      return label;
    }
    case ControlKind::TextBox:
      return new QLineEdit(text, container);
    case ControlKind::Frame: {
      auto* frame = new QGroupBox(text, container);
      styleFrame(*frame);
      return frame;
    }
    case ControlKind::Button:
      return new QPushButton(text, container);
  }
  return nullptr;
}

// Labels and frames have a caption colour; a control inside a frame would
// otherwise take the frame's.
void styleControl(QWidget& control, const ControlLayout& c) {
  control.setFont(fontOf(c.name));
  if (c.kind == ControlKind::Label || c.kind == ControlKind::Frame)
    setTextColour(control, kRedText.count(c.name) ? kLegendRed : QColor(Qt::black));
  if (c.kind == ControlKind::Frame) setBackground(control, kLightGreen);
}

bool takesFocus(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::Button; }

QWidget* makeAddedControl(const AddedControl& c, QWidget* form) {
  const QString text = qText(c.text);
  switch (c.kind) {
    case AddedKind::CheckBox:
      return new QCheckBox(text, form);
    case AddedKind::Choice: {
      auto* choice = new QComboBox(form);
      for (const char16_t* item : kEncodingItems) choice->addItem(QString::fromUtf16(item));
      return choice;
    }
    case AddedKind::Caption: {
      auto* caption = new CaptionText(form);
      caption->setText(text);
      return caption;
    }
    case AddedKind::ToolButton: {
      auto* button = new QToolButton(form);
      button->setText(text);
      return button;
    }
    case AddedKind::Label: {
      auto* label = new QLabel(text, form);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      setTextColour(*label, Qt::black);
      return label;
    }
    case AddedKind::TextBox:
      return new QLineEdit(text, form);
  }
  return nullptr;
}

// The encoding choice's items are in the order of EncodingChoice.
EncodingChoice encodingChosen(const QComboBox& choice) {
  switch (choice.currentIndex()) {
    case 1:
      return EncodingChoice::Cp932;
    case 2:
      return EncodingChoice::Utf8;
    default:
      return EncodingChoice::Auto;
  }
}

QString fileName(const QString& folder, const char* name) { return QDir(folder).filePath(QLatin1String(name)); }

}  // namespace

SettingsForm::SettingsForm(std::string dataFolder, QWidget* parent)
    : QWidget(parent), dataFolder_(std::move(dataFolder)) {
  setObjectName(QStringLiteral("info"));
  setWindowTitle(QStringLiteral("Zumaro Ver1.1"));
  setWindowIcon(programIcon());
  setFont(formDefaultFont());
  setBackground(*this, kLightGreen);
  setFixedSize(toPixels(kSettingsClientArea, *this).size());
  createControls();
  orderTabStops();
  addBrowseButtons();
  createAddedControls();
  orderAddedTabStops();
  nameSettingsControls(*this);
  pressButtonsOnEnter(*this);
  showDataFolder();
  box("inputPathBox")->setFocus();

  captionTimer_.setInterval(kCaptionIntervalMs);
  connect(&captionTimer_, &QTimer::timeout, this, &SettingsForm::showCount);
  connect(findChild<QPushButton*>(QStringLiteral("runButton")), &QPushButton::clicked, this, &SettingsForm::execute);
  connect(findChild<QPushButton*>(QStringLiteral("exitButton")), &QPushButton::clicked, this, &endProgram);
  connect(findChild<QToolButton*>(QStringLiteral("previewButton")), &QToolButton::clicked, this,
          &SettingsForm::showPreview);
  connect(findChild<QToolButton*>(QStringLiteral("browseDataButton")), &QToolButton::clicked, this,
          &SettingsForm::chooseDataFolder);
  connect(findChild<QToolButton*>(QStringLiteral("updateDataButton")), &QToolButton::clicked, this,
          &SettingsForm::updateData);
}

SettingsForm::~SettingsForm() = default;

void SettingsForm::createControls() {
  for (const ControlLayout& c : settingsFormLayout()) {
    QWidget* container = c.container ? findChild<QWidget*>(QLatin1String(c.container)) : this;
    QWidget* control = makeControl(c, container);
    control->setObjectName(QLatin1String(c.name));
    styleControl(*control, c);
    control->setGeometry(toPixels(c.place, *this));
    if (auto* label = qobject_cast<QLabel*>(control)) fitTextToWidth(*label);
  }
}

// Tab visits the boxes and buttons by their tab index and wraps round.
void SettingsForm::orderTabStops() {
  std::vector<const ControlLayout*> order;
  for (const ControlLayout& c : settingsFormLayout())
    if (takesFocus(c.kind)) order.push_back(&c);
  std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(findChild<QWidget*>(QLatin1String(order[i - 1]->name)),
                         findChild<QWidget*>(QLatin1String(order[i]->name)));
}

// Small buttons beside the two path boxes; Tab reaches them after the
// original controls (addedTabOrder).
void SettingsForm::addBrowseButtons() {
  const struct {
    const char* name;
    const char* box;
    TwipsRect place;
    void (SettingsForm::*browse)();
  } buttons[] = {{"browseInputButton", "inputPathBox", kBrowseInput, &SettingsForm::browseInput},
                 {"browseOutputButton", "outputPathBox", kBrowseOutput, &SettingsForm::browseOutput}};
  for (const auto& b : buttons) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(b.name));
    button->setText(QStringLiteral("…"));
    button->setToolTip(QStringLiteral("ファイルを選ぶ"));
    button->setGeometry(toPixels(b.place, *this));
    connect(button, &QToolButton::clicked, this, b.browse);
  }
  // A list dropped on the input box is shown at once, once the drop is over.
  FileDrop::acceptFilesOn(*box("inputPathBox"), [this] { QTimer::singleShot(0, this, &SettingsForm::showPreview); });
  FileDrop::acceptFilesOn(*box("outputPathBox"));
}

void SettingsForm::createAddedControls() {
  for (const AddedControl& c : addedControls()) {
    QWidget* control = makeAddedControl(c, this);
    control->setObjectName(QLatin1String(c.name));
    control->setFont(formDefaultFont());
    control->setGeometry(toPixels(c.place, *this));
    if (auto* label = qobject_cast<QLabel*>(control)) fitTextToWidth(*label);
  }
}

// After the last of the original tab order.
void SettingsForm::orderAddedTabStops() {
  QWidget* previous = findChild<QWidget*>(QStringLiteral("companyPositionBox"));
  for (const char* name : addedTabOrder()) {
    QWidget* control = findChild<QWidget*>(QLatin1String(name));
    control->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

void SettingsForm::setDataFolder(std::string folder) {
  dataFolder_ = std::move(folder);
  showDataFolder();
}

void SettingsForm::showDataFolder() {
  const DataFolderStatus status = dataFolderStatus(describeDataFolder(dataFolder_), todayDate());
  auto* line = findChild<CaptionText*>(QStringLiteral("dataFolderLabel"));
  line->setText(dataFolderText(status));
  line->setColour(!status.problem.isEmpty() ? kLegendRed : status.stale ? kStaleOrange : QColor(Qt::black));
}

void SettingsForm::chooseDataFolder() {
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("郵便番号データのフォルダ"),
                                                           QString::fromStdString(dataFolder_));
  if (folder.isEmpty()) return;
  setDataFolder(QDir::toNativeSeparators(folder).toStdString());
  rememberDataFolder(dataFolder_);
}

void SettingsForm::updateData() {
  if (update_) return;
  update_ = new DataUpdateDialog(this);
  update_->setAttribute(Qt::WA_DeleteOnClose);
  connect(update_, &DataUpdateDialog::updateFinished, this,
          [this](const DataUpdateResult& result) { finishDataUpdate(result); });
  connect(update_, &QObject::destroyed, this, [this] { update_ = nullptr; });
  update_->open();
  update_->start();
}

// zumaro-mkdat has built the user's own folder, or found the data current;
// the form goes on with that folder whenever it holds data.
void SettingsForm::finishDataUpdate(const DataUpdateResult& result) {
  const std::string user = userDataFolder();
  if (result.built && !user.empty() && !describeDataFolder(user).filesMissing) {
    setDataFolder(user);
    rememberDataFolder(dataFolder_);
  }
  QTimer::singleShot(0, this, [this, result] {
    showMessage(this, {QStringLiteral("郵便番号データの更新"), result.text,
                       result.built ? FormMessage::Icon::None : FormMessage::Icon::Warning});
  });
}

QLineEdit* SettingsForm::box(const char* name) const { return findChild<QLineEdit*>(QLatin1String(name)); }

// The postal code's position as the run would read the box; 0 for anything
// it would refuse.
int SettingsForm::postalFieldTyped() const {
  const std::optional<double> value = numericValue(coreText(box("postalCodePositionBox")->text()));
  const std::optional<int16_t> position = value ? integerValue(*value) : std::nullopt;
  return position && *position > 0 && *position < kSlotCount ? *position : 0;
}

SettingsTexts SettingsForm::settingsTexts() const {
  SettingsTexts t;
  t.inputPath = coreText(box("inputPathBox")->text());
  t.fieldCount = coreText(box("fieldCountBox")->text());
  t.postalCodePosition = coreText(box("postalCodePositionBox")->text());
  t.prefecturePosition = coreText(box("prefecturePositionBox")->text());
  t.cityPosition = coreText(box("cityPositionBox")->text());
  t.buildingPosition = coreText(box("buildingPositionBox")->text());
  t.townPosition = coreText(box("townPositionBox")->text());
  t.companyPosition = coreText(box("companyPositionBox")->text());
  for (int k = 1; k <= kFurtherPairs; ++k) {
    const std::string n = std::to_string(k);
    t.positionOfFurtherField[static_cast<size_t>(k)] = coreText(box(("furtherPosition" + n).c_str())->text());
    t.conversionOfFurtherField[static_cast<size_t>(k)] = coreText(box(("furtherConversion" + n).c_str())->text());
  }
  t.outputPath = coreText(box("outputPathBox")->text());
  return t;
}

// The same request the command line makes for the same settings.
void SettingsForm::takeRunChoices(RunRequest& request) const {
  request.dataFolder = dataFolder_;
  request.blocks = findChild<QCheckBox*>(QStringLiteral("kanjiBlocksCheck"))->isChecked() ? BlockStyle::Written
                                                                                          : BlockStyle::FullWidth;
  request.header = findChild<QCheckBox*>(QStringLiteral("headerRowCheck"))->isChecked();
  request.encoding = encodingChosen(*findChild<QComboBox*>(QStringLiteral("encodingChoice")));
  request.fixPostalCode = findChild<QCheckBox*>(QStringLiteral("fixPostalCodeCheck"))->isChecked();
}

// The run writes the report and the unmatched records into a folder of its
// own, so that the review window can save them as the command line would
// write them; the rows come to the window as the run gives them. Only the
// run's thread touches the review until the run has ended.
void SettingsForm::prepareReview(RunRequest& request) {
  pendingReview_ = std::make_shared<RunReview>();
  pendingReview_->outputFile = box("outputPathBox")->text();
  request.onReportRow = [review = pendingReview_.get()](const ReportRow& row) {
    review->rows.push_back(reviewRow(row));
  };
  auto folder = std::make_shared<QTemporaryDir>();
  if (!folder->isValid()) return;
  pendingReview_->folder = folder;
  pendingReview_->reportFile = fileName(folder->path(), "report.csv");
  pendingReview_->unmatchedFile = fileName(folder->path(), "unmatched.csv");
  request.reportPath = pendingReview_->reportFile.toStdString();
  request.unmatchedPath = pendingReview_->unmatchedFile.toStdString();
}

void SettingsForm::execute() {
  if (running_) return;
  running_ = true;
  RunRequest request;
  takeRunChoices(request);
  prepareReview(request);
  worker_ = std::make_unique<RunWorker>(state_, settingsTexts(), std::move(request));
  connect(worker_.get(), &RunWorker::finished, this, &SettingsForm::finishRun);
  blocker_ = std::make_unique<InputBlocker>();
  captionTimer_.start();
  worker_->start();
}

void SettingsForm::showCount() {
  const auto count = running_ ? worker_->lastCount() : std::nullopt;
  if (!count || *count == shownCount_) return;
  shownCount_ = *count;
  setWindowTitle(progressCaption(*count));
}

void SettingsForm::finishRun() {
  captionTimer_.stop();
  showCount();  // the exact count of the last record
  running_ = false;
  blocker_.reset();
  const RunOutcome& outcome = worker_->outcome();
  std::function<void()> review;
  if (outcome.status == RunOutcome::Status::Finished) {
    pendingReview_->summary = runSummary(outcome);
    pendingReview_->unmatched = outcome.recordsUnmatched;
    for (const Text& w : outcome.warnings) pendingReview_->warnings << qText(w);
    lastReview_ = std::move(pendingReview_);
    if (lastReview_->deservesALook()) review = [this] { showReview(); };
  }
  reportOutcome(this, outcome, std::move(review));
  emit executeDone();
}

QWidget* SettingsForm::showReview() {
  if (!lastReview_ || !lastReview_->deservesALook()) return nullptr;
  auto* window = new ReviewWindow(lastReview_, this);
  window->show();
  return window;
}

PreviewWindow* SettingsForm::showPreview() {
  const QString path = box("inputPathBox")->text();
  if (path.isEmpty()) {
    showMessage(this,
                {qText(kErrorTitle), QStringLiteral("元のファイル名を指定して下さい。"), FormMessage::Icon::Question});
    return nullptr;
  }
  ListPreviewRequest request;
  request.path = toUtf8(coreText(path));
  request.encoding = encodingChosen(*findChild<QComboBox*>(QStringLiteral("encodingChoice")));
  request.header = findChild<QCheckBox*>(QStringLiteral("headerRowCheck"))->isChecked();
  request.postalField = postalFieldTyped();
  const ListPreview preview = previewList(request);
  if (!preview.ok) {
    showMessage(this, {qText(kErrorTitle), qText(preview.error), FormMessage::Icon::Question});
    return nullptr;
  }
  auto* window = new PreviewWindow(preview, path, this);
  connect(window, &PreviewWindow::fieldCountChosen, this,
          [this](int count) { box("fieldCountBox")->setText(QString::number(count)); });
  connect(window, &PreviewWindow::positionChosen, this, [this](const QString& name, int field) {
    box(name.toLatin1().constData())->setText(QString::number(field));
  });
  // Shown again, the first line as the header it is.
  connect(window, &PreviewWindow::headerChosen, this, [this, window] {
    findChild<QCheckBox*>(QStringLiteral("headerRowCheck"))->setChecked(true);
    window->close();
    QTimer::singleShot(0, this, &SettingsForm::showPreview);
  });
  window->show();
  return window;
}

void SettingsForm::browseInput() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("元のファイル"), box("inputPathBox")->text());
  if (path.isEmpty()) return;
  box("inputPathBox")->setText(QDir::toNativeSeparators(path));
  showPreview();
}

void SettingsForm::browseOutput() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("出力先のファイル"), box("outputPathBox")->text());
  if (!path.isEmpty()) box("outputPathBox")->setText(QDir::toNativeSeparators(path));
}

}  // namespace zumaro::forms
