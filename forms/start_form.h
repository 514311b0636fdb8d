#pragma once
// The start form `dsp1`: the title picture, a button that opens the
// settings form and one that ends the program.
#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>

namespace zumaro::forms {

class SettingsForm;

class StartForm : public QWidget {
 public:
  // `dataFolder` is handed to the settings form.
  explicit StartForm(std::string dataFolder, QWidget* parent = nullptr);
  ~StartForm() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createButtons();
  void openSettings();

  std::string dataFolder_;
  QPixmap picture_;
  std::unique_ptr<SettingsForm> settings_;  // made on the first request, kept to the end
};

}  // namespace zumaro::forms
