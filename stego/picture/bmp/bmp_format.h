#pragma once
// Layout facts of the BMP file format shared by the reader and the writer.
#include <cstdint>
#include <stdexcept>

namespace hushlake::bmp {

// Raised inside the reader for any fault of the file; ReadBmp turns it into
// PictureReadStatus::Malformed with this message.
class MalformedBmp : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint16_t kSignature = 0x4D42;  // "BM", little-endian
inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kV5HeaderSize = 124;
// Headers larger than any known version are refused rather than trusted.
inline constexpr std::uint32_t kMaxHeaderSize = 1024;

// Offsets inside the file header.
inline constexpr std::uint32_t kFileSizeAt = 2;
inline constexpr std::uint32_t kPixelOffsetAt = 10;

// Offsets inside the info header (and its larger versions), from its start.
inline constexpr std::uint32_t kWidthAt = 4;
inline constexpr std::uint32_t kHeightAt = 8;
inline constexpr std::uint32_t kPlanesAt = 12;
inline constexpr std::uint32_t kBitCountAt = 14;
inline constexpr std::uint32_t kCompressionAt = 16;
inline constexpr std::uint32_t kImageSizeAt = 20;
inline constexpr std::uint32_t kColorsUsedAt = 32;
inline constexpr std::uint32_t kRedMaskAt = 40;    // V2 header and later
inline constexpr std::uint32_t kAlphaMaskAt = 52;  // V3 header and later

// The same fields in the core header, all 16 bits wide.
inline constexpr std::uint32_t kCoreWidthAt = 4;
inline constexpr std::uint32_t kCoreHeightAt = 6;
inline constexpr std::uint32_t kCoreBitCountAt = 10;

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitFields = 6,
};

inline constexpr std::uint32_t kStandardRedMask = 0x00FF0000;
inline constexpr std::uint32_t kStandardGreenMask = 0x0000FF00;
inline constexpr std::uint32_t kStandardBlueMask = 0x000000FF;

// Rows are padded to a multiple of four bytes.
inline constexpr std::uint64_t RowStride(std::uint64_t width, std::uint32_t bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

}  // namespace hushlake::bmp
