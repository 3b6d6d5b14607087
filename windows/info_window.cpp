#include "windows/info_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace hushlake::info_window {
namespace {

const QColor kFrameColour(216, 194, 122);
constexpr int kFrameInset = 4;

}  // namespace

void SetUp(QWidget& window, const QString& objectName) {
  window.setObjectName(objectName);
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  window.setFixedSize(kWidth, kHeight);
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen =
      window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

const QPixmap& Background::Pixmap() {
  if (pixmap_.isNull()) pixmap_.load(resource_);
  return pixmap_;
}

void Paint(QWidget& window, Background& background) {
  QPainter painter(&window);
  painter.drawPixmap(window.rect(), background.Pixmap());
  painter.setPen(QPen(kFrameColour, 1));
  painter.drawRect(
      window.rect().adjusted(kFrameInset, kFrameInset, -kFrameInset - 1, -kFrameInset - 1));
}

QLabel* YellowLabel(const QString& text, const QString& face, int pixelSize, QWidget& parent) {
  auto* label = new QLabel(text, &parent);
  QFont font(face);
  font.setPixelSize(pixelSize);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setStyleSheet(QStringLiteral("color: #ffff00; background: transparent;"));
  return label;
}

QPushButton* Button(const QString& caption, const QString& hint, QWidget& parent) {
  auto* button = new QPushButton(caption, &parent);
  button->setToolTip(hint);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

}  // namespace hushlake::info_window
