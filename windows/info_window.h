#pragma once
// What the Help and About windows share: their size and flags, the frame
// line inside the edge, centring on the screen, the title and the buttons.
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <utility>

class QLabel;

namespace hushlake::info_window {

inline constexpr int kWidth = 700;
inline constexpr int kHeight = 634;

// Borderless, above other windows, of the fixed client size.
void SetUp(QWidget& window, const QString& objectName);
void CentreOnScreen(QWidget& window);
// A background picture read when it is first painted: the windows are made
// at start-up but seldom shown, and reading a JPEG is not free.
class Background {
 public:
  explicit Background(QString resource) : resource_(std::move(resource)) {}
  const QPixmap& Pixmap();

 private:
  QString resource_;
  QPixmap pixmap_;
};

// The background picture and the frame line 4 pixels inside the edge.
void Paint(QWidget& window, Background& background);
// A yellow label in the given face and pixel size, on a transparent ground.
QLabel* YellowLabel(const QString& text, const QString& face, int pixelSize, QWidget& parent);
QPushButton* Button(const QString& caption, const QString& hint, QWidget& parent);

}  // namespace hushlake::info_window
