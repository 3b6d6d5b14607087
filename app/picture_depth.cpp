#include "app/picture_depth.h"

#include "stego/picture/bmp/bmp_codec.h"

namespace hushlake {

int StoredBitsPerPixel(const std::string& path) { return ReadBmpFileHeader(path).bitsPerPixel; }

}  // namespace hushlake
