#pragma once
// A picture of the engine as an image Qt can draw.
#include <QImage>

#include "stego/picture.h"

namespace hushlake {

// The picture's pixels as a read-only image, without copying them: valid
// while the picture lives and is not changed. An empty picture gives a null
// image.
QImage ToQImage(const Picture& picture);

}  // namespace hushlake

namespace hushlake {

// The picture reduced by a whole factor so that neither side exceeds
// MaxSide, each pixel the average of the block it replaces, as 32-bit RGB.
// One pass over the pixels: the way to show a large picture without scaling
// all of it again for every size of the panel.
QImage ReducedImage(const Picture& picture, int maxSide);

}  // namespace hushlake
