#include "forms/file_drop.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace zumaro::forms {
namespace {

// The first local file of a drag; empty for text and remote addresses,
// which the box handles as it always does.
QString droppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : QString();
}

}  // namespace

void FileDrop::acceptFilesOn(QLineEdit& box, std::function<void()> dropped) {
  box.setAcceptDrops(true);
  box.installEventFilter(new FileDrop(&box, std::move(dropped)));
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const QString path = droppedFile(drop->mimeData());
  if (path.isEmpty()) return false;
  drop->acceptProposedAction();
  if (type == QEvent::Drop) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box) box->setText(path);
    if (dropped_) dropped_();
  }
  return true;
}

}  // namespace zumaro::forms
