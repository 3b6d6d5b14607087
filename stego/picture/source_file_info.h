#pragma once
// What a picture file holds besides its pixels, kept beside the Picture so
// that writing the picture back into the same kind of file changes nothing
// but pixel bits. The readers fill it; the writers put the kept blocks back
// when the picture goes into a file of the same kind and pixel format.
#include <cstdint>
#include <string>
#include <vector>

#include "stego/picture.h"

namespace hushlake {

enum class PictureFileKind { Bmp, Png };

// Where a kept block goes when the file is written again: the file's parts
// before the palette, between the palette and the pixels, or after the pixels.
enum class KeptPlace { BeforePalette, BeforePixels, AfterPixels };

struct KeptBlock {
  // A PNG chunk's type ("gAMA", "tEXt"), or the name of a part of another file kind.
  std::string name;
  KeptPlace place = KeptPlace::BeforePixels;
  // As stored in the file; for a PNG chunk its data, without length, type and CRC.
  std::vector<std::uint8_t> bytes;
  bool operator==(const KeptBlock&) const = default;
};

struct SourceFileInfo {
  PictureFileKind kind = PictureFileKind::Bmp;
  // The pixel format the file had: blocks only go back into a file of that format.
  PixelFormat format = PixelFormat::Bgr24;
  std::vector<KeptBlock> kept;  // in file order
  bool operator==(const SourceFileInfo&) const = default;
};

}  // namespace hushlake
