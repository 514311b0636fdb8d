#pragma once
// Enter presses the focused button, as Space does. Qt leaves Enter to a
// dialog's default button, and the program's windows are no dialogs.
class QWidget;

namespace zumaro::forms {

// Every push and tool button `window` holds now.
void pressButtonsOnEnter(QWidget& window);

}  // namespace zumaro::forms
