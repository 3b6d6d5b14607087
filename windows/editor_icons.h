#pragma once
// Tool bar images drawn from our SVG files, sharp at any screen scale, with
// a hover look of their own (the accent colour warmed) beside the normal one;
// Qt greys the disabled look from the normal one.
#include <QIcon>
#include <QString>

namespace hushlake {

QIcon EditorIcon(const QString& svgResource);

}  // namespace hushlake
