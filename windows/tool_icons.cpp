#include "windows/tool_icons.h"

#include <QFile>
#include <array>

#include "windows/svg_icon_engine.h"

namespace hushlake {

namespace {

struct ColourSwap {
  const char* drawn;
  const char* hover;
  const char* disabled;
};

// Every colour the tool images use, with its hover and disabled look.
constexpr std::array<ColourSwap, 6> Colours = {{
    {"#2b6cb0", "#3d8be0", "#9a9a9a"},  // blue
    {"#e0a526", "#f5c04a", "#c4c4c4"},  // amber
    {"#2d3748", "#1a202c", "#8c8c8c"},  // ink
    {"#f7fafc", "#ffffff", "#ececec"},  // paper
    {"#38a169", "#48c07d", "#b0b0b0"},  // green
    {"#c53030", "#e53e3e", "#a8a8a8"},  // red
}};

QByteArray Recoloured(QByteArray svg, QIcon::Mode mode) {
  if (mode == QIcon::Normal) return svg;
  for (const ColourSwap& colour : Colours)
    svg.replace(colour.drawn, mode == QIcon::Active ? colour.hover : colour.disabled);
  return svg;
}

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QIcon ToolIcon(const QString& name) {
  const QByteArray svg = ReadResource(QStringLiteral(":/icons/%1.svg").arg(name));
  if (svg.isEmpty()) return {};
  SvgIconEngine::Looks looks;
  for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled})
    looks[static_cast<std::size_t>(mode)] = Recoloured(svg, mode);
  return QIcon(new SvgIconEngine(std::move(looks)));  // the icon owns its engine
}

QIcon ApplicationIcon() { return QIcon(QStringLiteral(":/desktop/org.varnel.Hushlake.svg")); }

}  // namespace hushlake
