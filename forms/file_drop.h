#pragma once
// A file dropped on a path box puts its path into the box.
#include <QObject>
#include <functional>

class QLineEdit;

namespace zumaro::forms {

class FileDrop : public QObject {
 public:
  // Watches `box` and lives as long as it; `dropped` follows every file
  // dropped there.
  static void acceptFilesOn(QLineEdit& box, std::function<void()> dropped = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FileDrop(QObject* parent, std::function<void()> dropped) : QObject(parent), dropped_(std::move(dropped)) {}

  std::function<void()> dropped_;
};

}  // namespace zumaro::forms
