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
class QTemporaryDir;

namespace zumaro::forms {

class DataUpdateDialog;
struct DataUpdateResult;
class InputBlocker;
class PreviewWindow;
class RunWorker;
struct RunReview;

class SettingsForm : public QWidget {
  Q_OBJECT

 public:
  // `dataFolder` holds 01.dat .. 23.dat.
  explicit SettingsForm(std::string dataFolder, QWidget* parent = nullptr);
  ~SettingsForm() override;

  bool isRunning() const { return running_; }
  const std::string& dataFolder() const { return dataFolder_; }
  void setDataFolder(std::string folder);

  // The first records of the input in a window of their own; nullptr after
  // telling the user why they cannot be read.
  PreviewWindow* showPreview();
  // After the run that ended last; nullptr when there is nothing to look at.
  QWidget* showReview();

 signals:
  // After the last message of an Execute has been closed.
  void executeDone();

 private:
  void createControls();
  void orderTabStops();
  void addBrowseButtons();
  void createAddedControls();
  void orderAddedTabStops();
  void showDataFolder();
  void chooseDataFolder();
  void updateData();
  void finishDataUpdate(const DataUpdateResult& result);
  void takeRunChoices(RunRequest& request) const;
  void prepareReview(RunRequest& request);
  QLineEdit* box(const char* name) const;
  int postalFieldTyped() const;
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
  std::shared_ptr<RunReview> pendingReview_;     // filled while the run goes on
  std::shared_ptr<const RunReview> lastReview_;  // of the run that ended last
  DataUpdateDialog* update_ = nullptr;           // while the data are renewed
};

}  // namespace zumaro::forms
