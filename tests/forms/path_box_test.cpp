// Dropping a file on a path box fills in its path; other drops keep the
// box's own behaviour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "forms/form_harness.h"
#include "forms/settings_form.h"

namespace zumaro {
namespace {

using testing::control;

// Sends a drag over `box` and drops it; whether the drop was taken.
bool drop(QLineEdit& box, const QMimeData& data) {
  const QPoint middle = box.rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &dropped);
  return dropped.isAccepted();
}

class PathBoxes : public ::testing::Test {
 protected:
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
};

TEST_F(PathBoxes, DroppedFileFillsInItsPath) {
  for (const char* name : {"inputPathBox", "outputPathBox"}) {
    SCOPED_TRACE(name);
    auto* box = control<QLineEdit>(form, name);
    box->setText(QStringLiteral("old.csv"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/住所一覧 2.csv")),
                  QUrl::fromLocalFile(QStringLiteral("/tmp/other.csv"))});
    EXPECT_TRUE(drop(*box, data));
    EXPECT_EQ(box->text(), QDir::toNativeSeparators(QStringLiteral("/tmp/住所一覧 2.csv")));
  }
}

TEST_F(PathBoxes, RemoteAddressIsNotTakenForAFile) {
  auto* box = control<QLineEdit>(form, "inputPathBox");
  box->setText(QStringLiteral("old.csv"));
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.org/list.csv"))});
  drop(*box, data);
  EXPECT_NE(box->text(), QStringLiteral("/list.csv"));
  EXPECT_FALSE(box->text().startsWith(QStringLiteral("/")));
}

TEST_F(PathBoxes, OnlyThePathBoxesTakeFiles) {
  auto* box = control<QLineEdit>(form, "fieldCountBox");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/list.csv"))});
  drop(*box, data);
  EXPECT_EQ(box->text(), "0");
}

}  // namespace
}  // namespace zumaro
