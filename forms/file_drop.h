#pragma once
// A file dropped on a path box puts its path into the box.
#include <QObject>

class QLineEdit;

namespace zumaro::forms {

class FileDrop : public QObject {
 public:
  // Watches `box` and lives as long as it.
  static void acceptFilesOn(QLineEdit& box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};

}  // namespace zumaro::forms
