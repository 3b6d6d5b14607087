#pragma once
// An icon drawn from SVG text at the size it is asked for, when it is first
// asked for: windows full of tool images start without rendering any, and
// every screen density gets an image drawn for it rather than scaled.
#include <QByteArray>
#include <QIconEngine>
#include <QPixmap>
#include <array>
#include <map>
#include <utility>

namespace hushlake {

class SvgIconEngine : public QIconEngine {
 public:
  // The SVG text of each look, by QIcon::Mode (Normal, Disabled, Active,
  // Selected). A look left empty is made from the normal one the way the
  // style makes it for any icon.
  using Looks = std::array<QByteArray, 4>;
  explicit SvgIconEngine(Looks looks);

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QIconEngine* clone() const override;
  QString key() const override;
  bool isNull() override;

 private:
  QPixmap Render(int side, QIcon::Mode mode) const;

  Looks looks_;
  std::map<std::pair<int, int>, QPixmap> drawn_;
};

}  // namespace hushlake
