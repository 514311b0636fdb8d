// The modal box itself: the detail under the text, and the second button
// that does its action only when it is the one pressed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "forms/message_box.h"

namespace zumaro {
namespace {

// Presses the button of the open modal box whose text is `button`, once the
// box is shown; records what the box showed.
struct BoxSeen {
  QStringList buttons;
  QString informativeText;
};

void pressWhenShown(const QString& button, BoxSeen& seen) {
  QTimer::singleShot(50, [button, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      ADD_FAILURE() << "no modal box";
      return;
    }
    seen.informativeText = box->informativeText();
    for (QAbstractButton* b : box->buttons()) {
      seen.buttons << b->text();
      if (b->text() == button) b->click();
    }
  });
}

TEST(MessageBox, ActionRunsOnlyWhenItsButtonClosesTheBox) {
  const struct {
    const char* actionText;
    const char* pressed;
    int buttons;
    bool actionDone;
  } cases[] = {{"確認…", "確認…", 2, true}, {"確認…", "OK", 2, false}, {"", "OK", 1, false}};
  forms::MessagePresenter previous = forms::setMessagePresenter({});
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.actionText) + " / " + c.pressed);
    bool done = false;
    forms::FormMessage message{QStringLiteral("Zumaro"), QStringLiteral("変換処理終了"), forms::FormMessage::Icon::None,
                               QStringLiteral("読み込み 3件、照合 2件（うち記入済み 0件、要確認 0件）、照合なし 1件")};
    message.actionText = QString::fromUtf8(c.actionText);
    if (!message.actionText.isEmpty()) message.action = [&done] { done = true; };
    BoxSeen seen;
    pressWhenShown(QString::fromUtf8(c.pressed), seen);
    forms::showMessage(nullptr, message);
    EXPECT_EQ(seen.buttons.size(), c.buttons);
    EXPECT_EQ(seen.informativeText, message.detail);
    EXPECT_EQ(done, c.actionDone);
  }
  forms::setMessagePresenter(std::move(previous));
}

}  // namespace
}  // namespace zumaro
