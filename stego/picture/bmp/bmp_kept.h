#pragma once
// What a BMP file keeps when a picture read from it is written back: every
// byte outside the pixel array stays as it was (headers of any version with
// their resolution and colour-space fields, the colour table with its
// reserved bytes, gaps, bytes after the pixels), so the new file differs from
// its source only in pixel bits.
//
// The reader records three blocks in the picture's SourceFileInfo:
//   kBmpHeadBlock  the bytes before the pixel array,
//   kBmpTailBlock  the bytes after it (only up to the pixel array's own size),
//   kBmpEdgeBlock  the pixels an even-sized working copy leaves out: the
//                  rightmost column (top to bottom) when the width is odd,
//                  then the bottom row when the height is odd.
// A file is not kept when writing it back could not carry the picture in its
// own layout: bit-field masks other than the standard ones, or an 8-bit file
// whose colour table has fewer than 256 four-byte entries (the engine may use
// every palette index). Such pictures are written in the plain layout.
//
// An RLE8 source is written uncompressed, in its own row order: its
// compression, image size and file size fields change; everything else stays.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "stego/picture.h"
#include "stego/picture/source_file_info.h"

namespace hushlake::bmp {

inline constexpr std::string_view kBmpHeadBlock = "BMP head";
inline constexpr std::string_view kBmpTailBlock = "BMP tail";
inline constexpr std::string_view kBmpEdgeBlock = "BMP edge";

// The layout of a file to write from a kept source, when that source can
// carry the picture (same pixel format, same size or the even-sized part of
// it, a head that describes what it claims).
struct KeptLayout {
  std::span<const std::uint8_t> head;
  std::span<const std::uint8_t> tail;
  std::span<const std::uint8_t> edge;
  int width = 0;  // of the file, which may be one more than the picture's
  int height = 0;
  bool topDown = false;
  bool rle = false;  // the source was RLE8: the head's fields are rewritten
  std::uint64_t stride = 0;
  std::uint64_t paletteAt = 0;  // 0 unless the picture is 8 bits
};

// Null when the picture is written in the plain layout.
std::optional<KeptLayout> PlanKeptLayout(const Picture& picture, const SourceFileInfo& source);

// A colour table's 256 entries at Out: blue, green, red and the flags byte
// in the entry's reserved byte, so the flags survive a round trip.
void PutPalette(std::uint8_t* out, const Palette& palette);

// The edge block's bytes for a picture of odd width or height (empty otherwise).
std::vector<std::uint8_t> EdgeOf(const Picture& picture);

}  // namespace hushlake::bmp
