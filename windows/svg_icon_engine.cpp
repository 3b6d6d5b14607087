#include "windows/svg_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <algorithm>

namespace hushlake {

SvgIconEngine::SvgIconEngine(Looks looks) : looks_(std::move(looks)) {}

QPixmap SvgIconEngine::Render(int side, QIcon::Mode mode) const {
  const QByteArray& own = looks_[static_cast<std::size_t>(mode)];
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  {
    QSvgRenderer renderer(own.isEmpty() ? looks_[QIcon::Normal] : own);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  if (!own.isEmpty() || mode == QIcon::Normal) return pixmap;
  QStyleOption option;
  option.palette = QApplication::palette();
  return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
  const int side = std::max(1, std::min(size.width(), size.height()));
  auto [drawn, added] = drawn_.try_emplace({side, static_cast<int>(mode)});
  if (added) drawn->second = Render(side, mode);
  return drawn->second;
}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
  const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
  QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
  drawn.setDevicePixelRatio(ratio);
  QRect target(QPoint(0, 0), drawn.deviceIndependentSize().toSize());
  target.moveCenter(rect.center());
  painter->drawPixmap(target, drawn);
}

QSize SvgIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  const int side = std::min(size.width(), size.height());
  return {side, side};
}

QIconEngine* SvgIconEngine::clone() const { return new SvgIconEngine(*this); }

QString SvgIconEngine::key() const { return QStringLiteral("hushlake-svg"); }

bool SvgIconEngine::isNull() { return looks_[QIcon::Normal].isEmpty(); }

}  // namespace hushlake
