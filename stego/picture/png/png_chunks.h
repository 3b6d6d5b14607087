#pragma once
// The chunk layout of a PNG file, read without decoding any pixels: the
// header's fields, how many compressed pixel bytes there are, and the
// ancillary chunks to keep. Lets the reader refuse a lying or broken file
// before libpng or any pixel memory is involved.
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
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
  std::vector<std::string> dropped;        // chunks not kept, each with the reason
};

// The PNG copy rules for a picture whose pixel bits change: a chunk whose
// fourth letter is upper case depends on the pixels and is kept only when it
// is known here to stay true (gamma, colour space and profile, transparency,
// background, time, ...); animation chunks (APNG) and the histogram are
// dropped. Kept chunks are capped, each and in all, and a compressed text or
// profile that unpacks to more than a chunk may hold is dropped too.
inline constexpr std::uint64_t kMaxKeptChunkBytes = 1 << 20;
inline constexpr std::uint64_t kMaxKeptBytes = 8 << 20;

// Beyond this many pixels, the compressed rows must be at least this share
// of the rows they unpack to (zeros compress over a thousand to one).
inline constexpr std::uint64_t kFreePixels = 1 << 24;
inline constexpr std::uint64_t kMaxRowBytesPerByte = 64;

inline constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Walks the chunks up to IEND. Checks the header's fields (sizes against
// `maxSide` and `maxPixels`), the CRC of every kept chunk, and that the
// compressed pixel data can hold the picture the header claims and justifies
// its size (see kFreePixels).
ChunkLayout ScanChunks(std::span<const std::uint8_t> file, std::uint32_t maxSide,
                       std::uint64_t maxPixels);
// The same over a file read a few bytes at a time: only the chunk headers
// and the kept chunks are read. Read raises for bytes it cannot read.
using ReadFileBytes = std::function<void(std::uint64_t offset, std::span<std::uint8_t> into)>;
ChunkLayout ScanChunks(std::uint64_t fileSize, const ReadFileBytes& read, std::uint32_t maxSide,
                       std::uint64_t maxPixels);

// "gAMA (gamma)": a chunk's type with what it means, when that is known here.
std::string DescribeChunk(const std::string& type);

}  // namespace hushlake::png
