#pragma once
// The settings form `info`: the boxes of one run, the legend of the
// conversion codes, Execute and Exit. It owns the conversion state, which
// lives as long as the form, so the record count goes on across runs.
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "run/conversion_run.h"

class QLineEdit;

namespace zumaro::forms {

class InputBlocker;
class RunWorker;

class SettingsForm : public QWidget {
  Q_OBJECT

 public:
  // `dataFolder` holds 01.dat .. 23.dat.
  explicit SettingsForm(std::string dataFolder, QWidget* parent = nullptr);
  ~SettingsForm() override;

  bool isRunning() const { return running_; }

 signals:
  // After the last message of an Execute has been closed.
  void executeDone();

 private:
  void createControls();
  void orderTabStops();
  void addBrowseButtons();
  QLineEdit* box(const char* name) const;
  SettingsTexts settingsTexts() const;

  void execute();
  void showCount();
  void finishRun();
  void browseInput();
  void browseOutput();

  std::string dataFolder_;
  ConversionState state_;
  std::unique_ptr<RunWorker> worker_;  // the run going on, or the last one
  bool running_ = false;
  std::unique_ptr<InputBlocker> blocker_;
  QTimer captionTimer_;
  int64_t shownCount_ = -1;
};

}  // namespace zumaro::forms
