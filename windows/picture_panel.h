#pragma once
// A framed box that shows a picture centred and scaled down proportionally
// to fit. The scaled copy is made when the picture or the box size changes,
// never while painting, so a large picture costs one scaling per resize.
#include <QFrame>
#include <QImage>
#include <QPixmap>

namespace hushlake {

class PicturePanel : public QFrame {
  Q_OBJECT
 public:
  explicit PicturePanel(QWidget* parent = nullptr);

  void SetPicture(QImage picture);
  void SetPictureVisible(bool visible);
  // The area the picture is fitted into: a square of 260 pixels at the
  // window's start size, growing with the panel.
  QRect PictureArea() const;
  const QPixmap& ShownPixmap() const { return scaled_; }
  int ScalingCount() const { return scalings_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rescale();

  QImage picture_;
  QPixmap scaled_;
  bool pictureVisible_ = true;
  int scalings_ = 0;
};

}  // namespace hushlake
