#pragma once
// The chunk layout of a PNG file, read without decoding any pixels: the
// header's fields, how many compressed pixel bytes there are, and the
// ancillary chunks to keep. Lets the reader refuse a lying or broken file
// before libpng or any pixel memory is involved.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "stego/picture/source_file_info.h"

namespace hushlake::png {

// A fault of the file: the reader reports it as Malformed with this message.
class MalformedPng : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A well-formed file of a kind the engine cannot use: reported as Unsupported.
class UnsupportedPng : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint8_t kColourGrey = 0;
inline constexpr std::uint8_t kColourRgb = 2;
inline constexpr std::uint8_t kColourPalette = 3;
inline constexpr std::uint8_t kColourGreyAlpha = 4;
inline constexpr std::uint8_t kColourRgba = 6;

struct ChunkLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint8_t bitDepth = 0;
  std::uint8_t colourType = 0;
  bool interlaced = false;
  std::uint64_t compressedPixelBytes = 0;  // all IDAT data
  std::vector<KeptBlock> kept;             // ancillary chunks, and a suggested palette
};

inline constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Walks the chunks up to IEND. Checks the header's fields (sizes against
// `maxSide` and `maxPixels`), the CRC of every kept chunk, and that the
// compressed pixel data can hold the picture the header claims.
ChunkLayout ScanChunks(std::span<const std::uint8_t> file, std::uint32_t maxSide,
                       std::uint64_t maxPixels);

}  // namespace hushlake::png
