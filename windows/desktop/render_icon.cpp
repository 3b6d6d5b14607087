// Build tool: renders the application's SVG icon as a PNG of one size, for
// the hicolor icon theme's fixed-size folders.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: render_icon ICON.svg SIZE OUT.png\n");
    return 2;
  }
  QGuiApplication application(argc, argv);
  const int size = QString::fromLocal8Bit(argv[2]).toInt();
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid() || size <= 0) return 1;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
