#pragma once
// Decoding of RLE8 pixel data into the palette indices of a Picture.
#include <cstdint>
#include <span>

#include "stego/picture.h"

namespace hushlake::bmp {

// Decodes `data` into `picture` (already sized, all indices zero; pixels the
// data skips stay zero). `topDown` tells whether the first stored row is the
// top one. Any run, literal or delta that leaves the picture, and data that
// ends before the end-of-bitmap marker while rows are left, throw MalformedBmp.
void DecodeRle8(std::span<const std::uint8_t> data, Picture& picture, bool topDown);

}  // namespace hushlake::bmp
