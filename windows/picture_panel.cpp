#include "windows/picture_panel.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "windows/picture_image.h"

namespace hushlake {

namespace {
// Room kept between the picture area and the panel's sides: at the start
// width each panel is 348 pixels wide and its picture area 260.
constexpr int SideRoom = 88;
constexpr int MinimumArea = 32;
constexpr int SmallestReducedSide = 512;
}  // namespace

QSize PicturePanel::ShownSize(QSize picture, QSize area) {
  if (picture.isEmpty() || area.isEmpty()) return picture;
  if (picture.width() > area.width() || picture.height() > area.height())
    return picture.scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  // A whole number of times: pixels of unequal sizes would make a pattern
  // of their own. A picture more than half the area wide or high stays as it is.
  const int times = std::min(area.width() / picture.width(), area.height() / picture.height());
  return picture * times;
}

// The picture area is a square inside the window, so it never needs more
// pixels than the screen's height holds.
int PicturePanel::ReducedSide() const {
  const QScreen* shownOn = screen();
  if (shownOn == nullptr) return SmallestReducedSide;
  const qreal pixels = shownOn->size().height() * shownOn->devicePixelRatio();
  return std::max(SmallestReducedSide, static_cast<int>(pixels));
}

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
  pictureSize_ = QSize(picture.Width(), picture.Height());
  reduced_ = ReducedImage(picture, ReducedSide());
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
  const QSize target = ShownSize(pictureSize_, area);
  // Enlarged pixel by pixel, so that every pixel of a small picture shows as
  // a square of one colour; reduced smoothly.
  const Qt::TransformationMode mode =
      target.width() > pictureSize_.width() ? Qt::FastTransformation : Qt::SmoothTransformation;
  scaled_ = QPixmap::fromImage(
      reduced_.size() == target ? reduced_ : reduced_.scaled(target, Qt::IgnoreAspectRatio, mode));
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
