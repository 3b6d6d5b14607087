#include "windows/picture_panel.h"

#include <QPainter>
#include <algorithm>

#include "windows/picture_image.h"

namespace hushlake {

namespace {
// Room kept between the picture area and the panel's sides: at the start
// width each panel is 348 pixels wide and its picture area 260.
constexpr int SideRoom = 88;
constexpr int MinimumArea = 32;
// Large enough for a panel filling a high-density screen.
constexpr int ReducedSide = 2048;
}  // namespace

PicturePanel::PicturePanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Sunken);
  setLineWidth(1);
  setMidLineWidth(0);
  setAutoFillBackground(true);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
}

QRect PicturePanel::PictureArea() const {
  const QRect inside = contentsRect();
  const int side = std::max(MinimumArea, std::min(inside.width() - SideRoom, inside.height() - 16));
  QRect area(0, 0, side, side);
  area.moveCenter(inside.center());
  return area;
}

void PicturePanel::SetPicture(const Picture& picture) {
  reduced_ = ReducedImage(picture, ReducedSide);
  Rescale();
  update();
}

void PicturePanel::SetPictureVisible(bool visible) {
  pictureVisible_ = visible;
  update();
}

void PicturePanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Rescale();
}

void PicturePanel::Rescale() {
  if (reduced_.isNull()) {
    scaled_ = QPixmap();
    return;
  }
  const qreal ratio = devicePixelRatioF();
  const QSize area = PictureArea().size() * ratio;
  QImage fitted = reduced_;
  // Scaled down to fit, never up.
  if (reduced_.width() > area.width() || reduced_.height() > area.height())
    fitted = reduced_.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  scaled_ = QPixmap::fromImage(fitted);
  scaled_.setDevicePixelRatio(ratio);
  ++scalings_;
}

void PicturePanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!pictureVisible_ || scaled_.isNull()) return;
  QPainter painter(this);
  QRect target(QPoint(0, 0), scaled_.deviceIndependentSize().toSize());
  target.moveCenter(PictureArea().center());
  painter.drawPixmap(target.topLeft(), scaled_);
}

}  // namespace hushlake
