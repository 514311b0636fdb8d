#pragma once
// A caption the settings form adds beside its original controls. It is not
// a QLabel so that the form's labels stay exactly those of its layout table;
// screen readers meet it as static text named by what it says.
#include <QColor>
#include <QString>
#include <QWidget>

namespace zumaro::forms {

class CaptionText : public QWidget {
  Q_OBJECT

 public:
  explicit CaptionText(QWidget* parent = nullptr);

  QString text() const { return text_; }
  void setText(const QString& text);
  void setColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

}  // namespace zumaro::forms
