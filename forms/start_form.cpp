#include "forms/start_form.h"

#include <QPainter>
#include <QPushButton>

#include "forms/enter_presses.h"
#include "forms/form_style.h"
#include "forms/program_end.h"
#include "forms/settings_form.h"
#include "forms/twips.h"

namespace zumaro::forms {
namespace {

constexpr TwipsRect kClientArea{0, 0, 10005, 6510};
constexpr TwipsRect kOpenSettings{6840, 5160, 1335, 735};
constexpr TwipsRect kEnd{8400, 5160, 1215, 735};

}  // namespace

StartForm::StartForm(std::string dataFolder, QWidget* parent)
    : QWidget(parent), dataFolder_(std::move(dataFolder)), picture_(QStringLiteral(":/zumaro/title.png")) {
  setObjectName(QStringLiteral("messageLabel"));
  setWindowTitle(QStringLiteral("Zumaro Ver 1.1"));
  setWindowIcon(programIcon());
  setFont(formDefaultFont());
  setFixedSize(toPixels(kClientArea, *this).size());
  createButtons();
}

StartForm::~StartForm() = default;

void StartForm::createButtons() {
  auto* ok = new QPushButton(QStringLiteral("実   行"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  // Screen readers say the plain words, not the spaced-out captions.
  ok->setAccessibleName(QStringLiteral("実行"));
  ok->setGeometry(toPixels(kOpenSettings, *this));
  auto* end = new QPushButton(QStringLiteral("END(終了)"), this);
  end->setObjectName(QStringLiteral("endButton"));
  end->setAccessibleName(QStringLiteral("終了"));
  end->setGeometry(toPixels(kEnd, *this));
  QWidget::setTabOrder(ok, end);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &StartForm::openSettings);
  connect(end, &QPushButton::clicked, this, &endProgram);
  pressButtonsOnEnter(*this);
}

// One settings form for the whole program: a second press only brings it
// to the front with what the user left in it.
void StartForm::openSettings() {
  if (!settings_) settings_ = std::make_unique<SettingsForm>(dataFolder_);
  settings_->show();
  settings_->raise();
  settings_->activateWindow();
}

// The picture at its own size from the corner; what does not fit is cut off.
void StartForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

}  // namespace zumaro::forms
