#include "windows/editor_icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace hushlake {
namespace {

constexpr int kIconSide = 48;
// The accent colour of every tool image, and its hover replacement.
constexpr char kAccent[] = "#2b6cb0";
constexpr char kHoverAccent[] = "#3d8be0";

QPixmap Render(const QByteArray& svg, int side) {
  QSvgRenderer renderer(svg);
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

}  // namespace

QIcon EditorIcon(const QString& svgResource) {
  QFile file(svgResource);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray normal = file.readAll();
  QByteArray hover = normal;
  hover.replace(kAccent, kHoverAccent);
  QIcon icon;
  // Two scales cover ordinary and doubled screens; Qt picks the nearer one.
  for (const int scale : {1, 2}) {
    icon.addPixmap(Render(normal, kIconSide * scale), QIcon::Normal);
    icon.addPixmap(Render(hover, kIconSide * scale), QIcon::Active);
  }
  return icon;
}

}  // namespace hushlake
