#pragma once
// The tool-bar images, drawn from our own SVG files: a normal look, a
// brighter one under the mouse and a grey one when disabled, each rendered
// at the size and density the screen asks for, when it first asks.
#include <QIcon>
#include <QString>

namespace hushlake {

inline constexpr int ToolImageSize = 48;

// Name is the file name under ":/icons/" without ".svg".
QIcon ToolIcon(const QString& name);
QIcon ApplicationIcon();

}  // namespace hushlake
