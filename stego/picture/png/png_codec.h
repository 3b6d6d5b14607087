#pragma once
// Reading and writing PNG files as Pictures, with the same pixels a BMP file
// of the same picture gives: rows from the top, colour bytes blue, green,
// red[, alpha as the fourth byte], 8-bit palette indices and entries as they
// are. A PNG is only another container: nothing is converted, so a picture
// moved between BMP and PNG by a lossless tool keeps its hidden text.
//
// Reading accepts 8-bit palette (Indexed8), 8-bit RGB (Bgr24) and 8-bit RGBA
// (Bgrx32) files, interlaced or not. Everything else (16 bits per channel,
// grey, grey with alpha, palettes of 1, 2 or 4 bits) is Unsupported rather
// than converted. A short palette leaves the missing entries zero, as in a
// BMP; PNG has no place for the palette entries' flags byte, so it reads as
// zero and is not written. Ancillary chunks (gamma, colour profile,
// transparency, text...) are never applied to the pixels: they are kept, byte
// for byte and in their places, in the SourceFileInfo.
//
// Writing keeps the picture's pixel format (all 256 palette entries for an
// 8-bit picture), never interlaced, and puts back the kept chunks of a
// source PNG of the same pixel format.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "stego/picture.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/read_result.h"
#include "stego/picture/source_file_info.h"

namespace hushlake {

// The BMP reader's limits, so a picture of one kind can always become the other.
inline constexpr int kPngMaxSide = kBmpMaxSide;
inline constexpr std::uint64_t kPngMaxPixels = kBmpMaxPixels;
inline constexpr std::uint64_t kPngMaxFileBytes = kBmpMaxFileBytes;

// zlib's level for written files: see the benchmark bench_png for the trade.
inline constexpr int kPngCompressionLevel = 6;

// Whether the bytes start with the PNG signature.
bool LooksLikePng(std::span<const std::uint8_t> fileStart);

PictureReadResult ReadPng(std::span<const std::uint8_t> fileBytes);
// A missing or unreadable file is Malformed, with the reason in the error.
PictureReadResult ReadPngFile(const std::string& path);

// "gAMA (gamma), tEXt (text)": the kinds of kept chunks, each named once, for
// telling the user that they were kept and not applied; empty when none were.
std::string DescribeKeptChunks(const SourceFileInfo& source);

class PngWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> WritePng(const Picture& picture, const SourceFileInfo& source = {},
                                   int compressionLevel = kPngCompressionLevel);
// Replaces the file as a whole or not at all (see WriteBmpFile).
void WritePngFile(const Picture& picture, const std::string& path,
                  const SourceFileInfo& source = {});

}  // namespace hushlake
