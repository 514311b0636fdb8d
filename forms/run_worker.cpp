#include "forms/run_worker.h"

#include <QThread>

namespace zumaro::forms {

RunWorker::RunWorker(ConversionState& state, SettingsTexts texts, RunRequest request, QObject* parent)
    : QObject(parent), state_(state), texts_(std::move(texts)), request_(std::move(request)) {}

RunWorker::~RunWorker() {
  if (thread_) thread_->wait();
}

void RunWorker::start() {
  auto caller = request_.onRecord;
  request_.onRecord = [this, caller](const RunProgress& progress) {
    lastCount_.store(progress.recordsRead, std::memory_order_relaxed);
    if (caller) caller(progress);
  };
  thread_ = QThread::create([this] { outcome_ = runConversion(state_, texts_, request_); });
  thread_->setParent(this);
  // QThread::finished comes from the run's thread; the queued hop brings the
  // signal to ours, after the outcome has been written.
  connect(thread_, &QThread::finished, this, &RunWorker::finished, Qt::QueuedConnection);
  thread_->start();
}

std::optional<int64_t> RunWorker::lastCount() const {
  const int64_t count = lastCount_.load(std::memory_order_relaxed);
  if (count < 0) return std::nullopt;
  return count;
}

}  // namespace zumaro::forms
