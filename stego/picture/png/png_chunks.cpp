// Walking a PNG file's chunks. Every length is checked against the bytes
// that are there before it is used.
#include "stego/picture/png/png_chunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace hushlake::png {
namespace {

constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr std::uint32_t kHeaderLength = 13;
// Deflate cannot expand its input more than 1032 times (a 258-byte match in
// two bits), so compressed data shorter than this share of the picture's
// rows cannot hold them. The slack covers zlib's own framing.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr std::uint64_t kInflateSlack = 1024;

std::uint32_t LoadBE32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

bool IsAncillary(const std::uint8_t* type) { return (type[0] & 0x20) != 0; }

bool IsChunkType(const std::uint8_t* type) {
  return std::all_of(type, type + 4, [](std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

struct Chunk {
  std::string type;
  std::span<const std::uint8_t> data;
  std::uint32_t storedCrc = 0;
  const std::uint8_t* typeAndData = nullptr;  // what the CRC covers
};

class ChunkWalker {
 public:
  explicit ChunkWalker(std::span<const std::uint8_t> file) : file_(file) {}

  Chunk Next() {
    Need(12, "a chunk header");
    const std::uint8_t* at = file_.data() + offset_;
    const std::uint32_t length = LoadBE32(at);
    if (length > kMaxChunkLength)
      throw MalformedPng("chunk length " + std::to_string(length) + " at offset " +
                         std::to_string(offset_) + " is larger than PNG allows");
    if (!IsChunkType(at + 4))
      throw MalformedPng("bytes at offset " + std::to_string(offset_ + 4) +
                         " are not a chunk type");
    Chunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(at + 4), 4);
    Need(std::uint64_t{length} + 12, ("the " + chunk.type + " chunk").c_str());
    chunk.typeAndData = at + 4;
    chunk.data = {at + 8, length};
    chunk.storedCrc = LoadBE32(at + 8 + length);
    offset_ += std::uint64_t{length} + 12;
    return chunk;
  }

 private:
  void Need(std::uint64_t count, const char* what) const {
    if (count > file_.size() - offset_)
      throw MalformedPng("truncated file: " + std::string(what) + " needs " +
                         std::to_string(count) + " bytes at offset " + std::to_string(offset_) +
                         ", but the file has only " + std::to_string(file_.size()) + " bytes");
  }

  std::span<const std::uint8_t> file_;
  std::uint64_t offset_ = sizeof(kSignature);
};

void CheckCrc(const Chunk& chunk) {
  const auto crc = static_cast<std::uint32_t>(
      crc32(crc32(0, nullptr, 0), chunk.typeAndData, static_cast<uInt>(chunk.data.size() + 4)));
  if (crc != chunk.storedCrc)
    throw MalformedPng("the " + chunk.type + " chunk is damaged (its CRC does not match)");
}

std::string SizeText(std::uint32_t width, std::uint32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

void CheckKind(std::uint8_t depth, std::uint8_t colourType) {
  const bool validDepth = [&] {
    switch (colourType) {
      case kColourGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
      case kColourPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
      case kColourRgb:
      case kColourGreyAlpha:
      case kColourRgba:
        return depth == 8 || depth == 16;
      default:
        return false;
    }
  }();
  if (!validDepth)
    throw MalformedPng("colour type " + std::to_string(colourType) + " with bit depth " +
                       std::to_string(depth) + " does not exist in PNG");
  if (colourType == kColourGrey || colourType == kColourGreyAlpha)
    throw UnsupportedPng(std::string(colourType == kColourGrey ? "grey" : "grey and alpha") +
                         " PNG pictures are not supported (only 8-bit palette, RGB and RGBA)");
  if (colourType == kColourPalette && depth != 8)
    throw UnsupportedPng("PNG palette pictures with " + std::to_string(depth) +
                         " bits per pixel are not supported (only 8)");
  if (depth == 16)
    throw UnsupportedPng("PNG pictures with 16 bits per channel are not supported (only 8)");
}

void ParseHeader(const Chunk& chunk, ChunkLayout& layout, std::uint32_t maxSide,
                 std::uint64_t maxPixels) {
  if (chunk.type != "IHDR") throw MalformedPng("the file does not begin with an IHDR chunk");
  if (chunk.data.size() != kHeaderLength)
    throw MalformedPng("the IHDR chunk has " + std::to_string(chunk.data.size()) +
                       " bytes instead of 13");
  CheckCrc(chunk);
  const std::uint8_t* h = chunk.data.data();
  layout.width = LoadBE32(h);
  layout.height = LoadBE32(h + 4);
  layout.bitDepth = h[8];
  layout.colourType = h[9];
  if (layout.width == 0 || layout.height == 0 || layout.width > kMaxChunkLength ||
      layout.height > kMaxChunkLength)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " is not valid in PNG");
  if (h[10] != 0 || h[11] != 0)
    throw MalformedPng("unknown compression or filter method in the IHDR chunk");
  if (h[12] > 1) throw MalformedPng("unknown interlace method " + std::to_string(h[12]));
  layout.interlaced = h[12] == 1;
  CheckKind(layout.bitDepth, layout.colourType);
  if (layout.width > maxSide || layout.height > maxSide)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " exceeds the limit of " + std::to_string(maxSide) + " pixels per side");
  if (std::uint64_t{layout.width} * layout.height > maxPixels)
    throw MalformedPng("picture size " + SizeText(layout.width, layout.height) +
                       " exceeds the limit of " + std::to_string(maxPixels) + " pixels");
}

int ChannelsOf(std::uint8_t colourType) {
  return colourType == kColourRgb ? 3 : colourType == kColourRgba ? 4 : 1;
}

// Checked before any pixel memory exists, so a header claiming a huge
// picture over a few bytes of data costs nothing.
void CheckDataCanHoldPicture(const ChunkLayout& layout) {
  const std::uint64_t rowBytes = std::uint64_t{layout.width} * ChannelsOf(layout.colourType) + 1;
  const std::uint64_t rawBytes = rowBytes * layout.height;
  if (layout.compressedPixelBytes * kMaxInflateRatio + kInflateSlack < rawBytes)
    throw MalformedPng("truncated file: " + std::to_string(layout.compressedPixelBytes) +
                       " bytes of compressed pixel data cannot hold a picture of " +
                       SizeText(layout.width, layout.height));
}

}  // namespace

ChunkLayout ScanChunks(std::span<const std::uint8_t> file, std::uint32_t maxSide,
                       std::uint64_t maxPixels) {
  if (file.size() < sizeof(kSignature) ||
      std::memcmp(file.data(), kSignature, sizeof(kSignature)) != 0)
    throw MalformedPng("not a PNG file: it does not start with the PNG signature");
  ChunkWalker walker(file);
  ChunkLayout layout;
  ParseHeader(walker.Next(), layout, maxSide, maxPixels);
  bool palette = false, pixels = false, pixelsEnded = false;
  for (;;) {
    const Chunk chunk = walker.Next();
    if (chunk.type == "IEND") break;
    if (chunk.type == "IDAT") {
      if (pixelsEnded) throw MalformedPng("the IDAT chunks are not all in one run");
      pixels = true;
      layout.compressedPixelBytes += chunk.data.size();
      continue;
    }
    pixelsEnded = pixels;
    const bool suggestedPalette = chunk.type == "PLTE" && layout.colourType != kColourPalette;
    if (chunk.type == "PLTE" && !suggestedPalette) {
      palette = true;
      continue;
    }
    if (!IsAncillary(chunk.typeAndData) && !suggestedPalette)
      throw MalformedPng("the file holds a critical chunk " + chunk.type +
                         " that is not known here");
    CheckCrc(chunk);
    const KeptPlace place = pixels                        ? KeptPlace::AfterPixels
                            : palette || suggestedPalette ? KeptPlace::BeforePixels
                                                          : KeptPlace::BeforePalette;
    if (suggestedPalette) palette = true;
    layout.kept.push_back({chunk.type, place, {chunk.data.begin(), chunk.data.end()}});
  }
  if (!pixels) throw MalformedPng("the file has no IDAT chunk (no pixel data)");
  if (layout.colourType == kColourPalette && !palette)
    throw MalformedPng("the palette picture has no PLTE chunk");
  CheckDataCanHoldPicture(layout);
  return layout;
}

}  // namespace hushlake::png
