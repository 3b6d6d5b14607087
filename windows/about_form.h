#pragma once
// The About window: borderless, above other windows, centred on the screen,
// the title, the program's version and a few credit lines over a picture.
#include <QWidget>

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
  QPixmap background_;
  QLabel* versionLabel_;
};

}  // namespace hushlake
