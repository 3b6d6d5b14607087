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
// MaxSide, as 32-bit RGB. Each pixel is the average of the block it
// replaces: of all of it for blocks of up to 2 x 2 pixels, of 2 x 2 pixels
// spread over it for larger ones, so a large picture costs a small part of
// its pixels. The way to show a picture without scaling all of it again
// for every size of the panel.
QImage ReducedImage(const Picture& picture, int maxSide);

}  // namespace hushlake
