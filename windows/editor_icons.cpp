#include "windows/editor_icons.h"

#include <QFile>

#include "windows/svg_icon_engine.h"

namespace hushlake {
namespace {

// The accent colour of every tool image, and its hover replacement.
constexpr char kAccent[] = "#2b6cb0";
constexpr char kHoverAccent[] = "#3d8be0";

}  // namespace

QIcon EditorIcon(const QString& svgResource) {
  QFile file(svgResource);
  if (!file.open(QIODevice::ReadOnly)) return {};
  SvgIconEngine::Looks looks;
  looks[QIcon::Normal] = file.readAll();
  looks[QIcon::Active] = looks[QIcon::Normal];
  looks[QIcon::Active].replace(kAccent, kHoverAccent);
  return QIcon(new SvgIconEngine(std::move(looks)));  // the icon owns its engine
}

}  // namespace hushlake
