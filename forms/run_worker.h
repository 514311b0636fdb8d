#pragma once
// One press of Execute, off the user-interface thread so that the windows
// repaint while it runs. The state is the worker's alone until `finished`.
#include <QObject>
#include <atomic>
#include <cstdint>
#include <optional>

#include "run/conversion_run.h"

class QThread;

namespace zumaro::forms {

class RunWorker : public QObject {
  Q_OBJECT

 public:
  RunWorker(ConversionState& state, SettingsTexts texts, RunRequest request, QObject* parent = nullptr);
  ~RunWorker() override;  // waits for the run

  void start();

  // The count of the record read last in this run; nothing before the first.
  std::optional<int64_t> lastCount() const;

  // Valid once `finished` has come.
  const RunOutcome& outcome() const { return outcome_; }

 signals:
  // On the thread that made the worker.
  void finished();

 private:
  ConversionState& state_;
  SettingsTexts texts_;
  RunRequest request_;
  RunOutcome outcome_;
  std::atomic<int64_t> lastCount_{-1};
  QThread* thread_ = nullptr;
};

}  // namespace zumaro::forms
