#pragma once
// 「郵便番号データを更新」: zumaro-mkdat --download run beside the form, its
// progress in a small window with a cancel button. zumaro-mkdat builds the
// user's own folder and leaves it as it was on any fault, so the form only
// has to switch to that folder when it succeeded.
#include <QDialog>
#include <QProcess>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zumaro::forms {

struct DataUpdateResult {
  bool built = false;  // the user's folder holds the new data
  QString text;        // what changed, or what failed (zumaro-mkdat's words)
};

class DataUpdateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DataUpdateDialog(QWidget* parent = nullptr);
  ~DataUpdateDialog() override;

  // Starts the download; finished() follows, also when it cannot start.
  void start();

 signals:
  void updateFinished(const DataUpdateResult& result);

 protected:
  void reject() override;  // Esc and the window's close button cancel too

 private:
  void readProgress();
  void finish(int exitCode, QProcess::ExitStatus status);

  QProcess process_;
  QLabel* step_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  QString errors_;
  bool cancelled_ = false;
  bool done_ = false;
};

// zumaro-mkdat beside the running program, else the one on PATH.
QString mkdatProgram();

// The arguments: --download, and the source and authority given by
// $ZUMARO_DATA_SOURCE_URL and $ZUMARO_CA_FILE when set.
QStringList downloadArguments();

}  // namespace zumaro::forms
