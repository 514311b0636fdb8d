#include "forms/data_update.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/form_style.h"

namespace zumaro::forms {
namespace {

constexpr int kKillAfterMs = 5000;

// The lines of zumaro-mkdat's summary from its changes on: the counts of
// each data file say nothing to a user of the form.
QString changesPart(const QString& out) {
  const qsizetype at = out.indexOf(QStringLiteral("変更点"));
  return (at < 0 ? out : out.mid(at)).trimmed();
}

}  // namespace

QString mkdatProgram() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/zumaro-mkdat");
  return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("zumaro-mkdat");
}

QStringList downloadArguments() {
  QStringList args{QStringLiteral("--download"), QStringLiteral("--progress-lines")};
  const QString source = qEnvironmentVariable("ZUMARO_DATA_SOURCE_URL");
  if (!source.isEmpty()) args << QStringLiteral("--source-url") << source;
  const QString ca = qEnvironmentVariable("ZUMARO_CA_FILE");
  if (!ca.isEmpty()) args << QStringLiteral("--ca-file") << ca;
  return args;
}

DataUpdateDialog::DataUpdateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dataUpdateDialog"));
  setWindowTitle(QStringLiteral("郵便番号データの更新"));
  setFont(formDefaultFont());
  step_ = new QLabel(QStringLiteral("日本郵便のサイトに接続しています…"), this);
  step_->setObjectName(QStringLiteral("dataUpdateStep"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("dataUpdateProgress"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setAccessibleName(QStringLiteral("郵便番号データの更新の進み具合"));
  cancel_ = new QPushButton(QStringLiteral("中止"), this);
  cancel_->setObjectName(QStringLiteral("dataUpdateCancel"));
  cancel_->setAccessibleName(QStringLiteral("郵便番号データの更新を中止"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(step_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  setMinimumWidth(420);
  cancel_->setFocus();
  connect(cancel_, &QPushButton::clicked, this, &DataUpdateDialog::reject);
  process_.setReadChannel(QProcess::StandardError);  // readLine reads the progress lines
  connect(&process_, &QProcess::readyReadStandardError, this, &DataUpdateDialog::readProgress);
  connect(&process_, &QProcess::finished, this, &DataUpdateDialog::finish);
  connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
      errors_ = QStringLiteral("%1 を起動できません（%2）。").arg(mkdatProgram(), process_.errorString());
      finish(-1, QProcess::CrashExit);
    }
  });
}

DataUpdateDialog::~DataUpdateDialog() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(kKillAfterMs)) process_.kill();
}

void DataUpdateDialog::start() { process_.start(mkdatProgram(), downloadArguments()); }

void DataUpdateDialog::reject() {
  if (done_) return QDialog::reject();
  if (cancelled_) return;
  // zumaro-mkdat stops at its next step and removes its temporary files.
  cancelled_ = true;
  cancel_->setEnabled(false);
  step_->setText(QStringLiteral("中止しています…"));
  process_.terminate();
  QTimer::singleShot(kKillAfterMs, &process_, [this] {
    if (process_.state() != QProcess::NotRunning) process_.kill();
  });
}

// "progress <percent> <step>" lines; anything else is a message.
void DataUpdateDialog::readProgress() {
  while (process_.canReadLine()) {
    const QString line = QString::fromUtf8(process_.readLine()).trimmed();
    const QStringList parts = line.split(QLatin1Char(' '));
    if (parts.size() >= 3 && parts[0] == QLatin1String("progress")) {
      bar_->setValue(parts[1].toInt());
      if (!cancelled_) step_->setText(parts.mid(2).join(QLatin1Char(' ')));
    } else if (!line.isEmpty()) {
      errors_ += line + QLatin1Char('\n');
    }
  }
}

void DataUpdateDialog::finish(int exitCode, QProcess::ExitStatus status) {
  if (done_) return;
  done_ = true;
  readProgress();
  errors_ += QString::fromUtf8(process_.readAllStandardError());
  DataUpdateResult result;
  // A cancel that came too late, after the folder was in place, still built it.
  if (status == QProcess::NormalExit && exitCode == 0) {
    result.built = true;
    result.text = changesPart(QString::fromUtf8(process_.readAllStandardOutput()));
  } else if (cancelled_) {
    result.text = QStringLiteral("郵便番号データの更新を中止しました。これまでのデータを使います。");
  } else {
    result.text = errors_.trimmed() + QStringLiteral("\nこれまでのデータを使います。");
  }
  emit updateFinished(result);
  accept();
}

}  // namespace zumaro::forms
