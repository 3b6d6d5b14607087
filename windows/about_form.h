#pragma once
// The About window: borderless, above other windows, centred on the screen,
// the title, the program's version and a few credit lines over a picture.
#include <QWidget>

#include "windows/info_window.h"

class QLabel;

namespace hushlake {

class TAboutForm : public QWidget {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* owner = nullptr);

  QLabel* VersionLabel() const { return versionLabel_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  info_window::Background background_;
  QLabel* versionLabel_;
};

}  // namespace hushlake
