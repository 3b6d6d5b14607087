#pragma once
// A picture of the engine as an image Qt can draw.
#include <QImage>

#include "stego/picture.h"

namespace hushlake {

// A copy of the pixels; an empty picture gives a null image.
QImage ToQImage(const Picture& picture);

}  // namespace hushlake
