#pragma once
// What the Help and About windows share: their size and flags, the frame
// line inside the edge, centring on the screen, the title and the buttons.
#include <QPushButton>
#include <QString>
#include <QWidget>

class QLabel;

namespace hushlake::info_window {

inline constexpr int kWidth = 700;
inline constexpr int kHeight = 634;

// Borderless, above other windows, of the fixed client size.
void SetUp(QWidget& window, const QString& objectName);
void CentreOnScreen(QWidget& window);
// The background picture and the frame line 4 pixels inside the edge.
void Paint(QWidget& window, const QPixmap& background);
// A yellow label in the given face and pixel size, on a transparent ground.
QLabel* YellowLabel(const QString& text, const QString& face, int pixelSize, QWidget& parent);
QPushButton* Button(const QString& caption, const QString& hint, QWidget& parent);

}  // namespace hushlake::info_window
