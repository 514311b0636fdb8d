#include "forms/run_messages.h"

#include <QStringList>

#include "forms/message_box.h"
#include "forms/qt_text.h"
#include "run/messages.h"

namespace zumaro::forms {
namespace {

void showError(QWidget* parent, const QString& text) {
  showMessage(parent, {qText(kErrorTitle), text, FormMessage::Icon::Question});
}

// A failed run leaves the records written before the fault; say how many.
QString failureText(const RunOutcome& outcome) {
  QString text = qText(outcome.message);
  if (outcome.recordsWritten > 0) text += QStringLiteral("\n出力済みのレコード: %1件").arg(outcome.recordsWritten);
  return text;
}

void showWarnings(QWidget* parent, const std::vector<Text>& warnings) {
  if (warnings.empty()) return;
  QStringList lines;
  for (const Text& w : warnings) lines << qText(w);
  showMessage(parent, {qText(kProgramTitle), lines.join(QLatin1Char('\n')), FormMessage::Icon::Warning});
}

}  // namespace

QString runSummary(const RunOutcome& outcome) { return qText(summaryLine(outcome)); }

QString progressCaption(int64_t recordsRead) { return QString::number(recordsRead) + qText(kProgressSuffix); }

void reportOutcome(QWidget* parent, const RunOutcome& outcome, std::function<void()> review) {
  switch (outcome.status) {
    case RunOutcome::Status::Refused:
      showError(parent, qText(outcome.message));
      return;
    case RunOutcome::Status::Failed:
      showError(parent, failureText(outcome));
      return;
    case RunOutcome::Status::Finished:
      break;
  }
  showWarnings(parent, outcome.warnings);
  FormMessage finished{qText(kProgramTitle), qText(kRunFinished), FormMessage::Icon::None, runSummary(outcome)};
  if (review) {
    finished.actionText = QStringLiteral("確認…");
    finished.action = std::move(review);
  }
  showMessage(parent, finished);
}

}  // namespace zumaro::forms
