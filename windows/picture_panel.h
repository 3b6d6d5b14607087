#pragma once
// A framed box that shows a picture centred and scaled proportionally to
// fit: down for a large one, up a whole number of times for a small one. A large picture is reduced
// once when it arrives, to a size its screen needs no more of; the copy shown is scaled from that
// when the picture or the box size changes, never while painting.
#include <QFrame>
#include <QImage>
#include <QPixmap>

#include "stego/picture.h"

namespace hushlake {

class PicturePanel : public QFrame {
  Q_OBJECT
 public:
  explicit PicturePanel(QWidget* parent = nullptr);

  // Picture is read here and not kept.
  void SetPicture(const Picture& picture);
  void SetPictureVisible(bool visible);
  // The area the picture is fitted into: a square of 260 pixels at the
  // window's start size, growing with the panel.
  QRect PictureArea() const;
  const QPixmap& ShownPixmap() const { return scaled_; }
  int ScalingCount() const { return scalings_; }
  // The size a picture is shown at in an area, both in device pixels.
  static QSize ShownSize(QSize picture, QSize area);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rescale();
  int ReducedSide() const;

  QSize pictureSize_;
  QImage reduced_;
  QPixmap scaled_;
  bool pictureVisible_ = true;
  int scalings_ = 0;
};

}  // namespace hushlake
