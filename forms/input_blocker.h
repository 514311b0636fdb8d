#pragma once
// While a run goes on, the user can neither type, click, drop nor close a
// window; the windows still repaint. Input that arrives meanwhile is dropped,
// not kept for later, so it cannot start a second run or close the
// completion message.
#include <QObject>

namespace zumaro::forms {

class InputBlocker : public QObject {
 public:
  // Blocks from construction to destruction.
  InputBlocker();
  ~InputBlocker() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zumaro::forms
