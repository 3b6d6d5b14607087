#pragma once
// Reading and writing BMP files as Pictures.
//
// Reading accepts the 12-byte core header, the 40-byte info header and every
// larger one (V2 to V5), with 8 bits per pixel (uncompressed or RLE8), 24 bits
// and 32 bits per pixel (plain or with bit-field masks), stored bottom-up or
// top-down. Every size and offset is checked against the file before anything
// is allocated, so a hostile file ends in Malformed, never in a crash.
//
// Writing a picture together with what its source file kept (see
// bmp_kept.h) gives the source file with only pixel bits changed. Without a
// usable source, writing keeps the picture's own pixel format, so a picture read back is
// byte for byte the one written: 8 bits with all 256 palette entries (blue,
// green, red, then the flags byte in the entry's reserved byte), 24 bits, or
// 32 bits with the fourth byte as it is; always a 40-byte info header, no
// compression, rows bottom-up and padded to 4 bytes.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "stego/picture.h"
#include "stego/picture/read_result.h"
#include "stego/picture/source_file_info.h"
#include "stego/pixel_view.h"
#include "stego/row_band.h"

namespace hushlake {

// What the headers and the colour table of a file say, checked as reading
// the picture would check them (the pixel rows must be in the file), without
// reading or allocating any pixel: enough for a picture's size and capacity.
struct BmpHeaderResult {
  PictureReadStatus status = PictureReadStatus::Malformed;
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Bgr24;
  Palette palette{};     // for Indexed8
  int bitsPerPixel = 0;  // as stored in the file, once the header could be read
  std::string error;     // empty when status is Ok
  // The pixel rows are stored as a Picture holds them (no RLE8 data, the
  // usual channel masks), so they can be read where they lie.
  bool rowsInPlace = false;
};

// Limits that keep a lying header from causing giant allocations. A picture
// larger than these is refused as Malformed.
inline constexpr int kBmpMaxSide = 1 << 20;                 // pixels, width or height
inline constexpr std::uint64_t kBmpMaxPixels = 1ull << 28;  // width x height
// RLE data can describe many pixels in few bytes, so its size cannot be
// checked against the file; it gets a tighter cap of its own.
inline constexpr std::uint64_t kBmpMaxRlePixels = 1ull << 26;
// Beyond a small picture, RLE8 data must also justify its size: at most this
// many pixels per byte of data (runs give 127 per byte, rows ended early up
// to half the width), so a few hundred bytes cannot demand tens of megabytes.
inline constexpr std::uint64_t kBmpRleFreePixels = 1ull << 22;
inline constexpr std::uint64_t kBmpMaxRlePixelsPerByte = 4096;
// Files larger than this are not read into memory at all.
inline constexpr std::uint64_t kBmpMaxFileBytes = 1ull << 31;

PictureReadResult ReadBmp(std::span<const std::uint8_t> fileBytes);
// A missing or unreadable file is Malformed, with the reason in the error.
PictureReadResult ReadBmpFile(const std::string& path);
// Reads no more of the file than its headers and colour table.
BmpHeaderResult ReadBmpFileHeader(const std::string& path);
// The pixels of a BMP file's bytes where they lie, after every check
// ReadBmp makes: nullopt when the file is not a picture ReadBmp would read,
// or when its rows are not stored as a Picture holds them (see rowsInPlace).
// The view points into FileBytes, which must outlive it.
std::optional<PixelView> ViewBmpPixels(std::span<const std::uint8_t> fileBytes);

// A BMP file whose pixels can go to a new file changed, a band of rows at a
// time, while every other byte is kept as WriteBmpFile keeps those of a
// picture read from it: the bytes before the pixel array (on 8 bits with the
// picture's own colour table), the kept bytes after it (see bmp_kept.h), and
// where the rows lie.
struct BmpRewriteLayout {
  std::vector<std::uint8_t> head;
  std::vector<std::uint8_t> tail;
  std::uint64_t pixelOffset = 0;
  std::uint64_t stride = 0;
  std::uint64_t fileSize = 0;  // of the source, whose last row may lack its padding
  int width = 0;               // the file's, which may be odd
  int height = 0;
  bool topDown = false;
  PixelFormat format = PixelFormat::Bgr24;
  std::uint64_t paletteAt = 0;  // where Head holds the colour table (8 bits only)
};
// Puts Palette into Layout's colour table.
void PutRewritePalette(BmpRewriteLayout& layout, const Palette& palette);
// Null unless ViewBmpPixels would view the file and its bytes can be kept:
// other files are read into a Picture and written by WriteBmpFile. Touches
// only the file's head and tail.
std::optional<BmpRewriteLayout> PlanBmpRewrite(std::span<const std::uint8_t> fileBytes);

// Fills Into with the source file's bytes from Offset on, or raises.
using SourceBytesReader = std::function<void(std::uint64_t offset, std::span<std::uint8_t> into)>;

// Takes a file's bytes in order.
using BmpBytesSink = std::function<void(std::span<const std::uint8_t> bytes)>;

// The bytes of the file RewriteBmpFile writes, in order, into Sink.
void RewriteBmp(const BmpRewriteLayout& layout, const SourceBytesReader& read,
                const RowBandChange& change, const BmpBytesSink& sink);

// Writes the file WriteBmpFile would write for the source picture changed by
// Change: Change gets every row of the even-sized picture (the rows Encrypt
// works on) exactly once, a band at a time, straight from the source file;
// the rest of each row is the source's. No picture-sized buffer is held. The
// file is replaced as a whole or not at all, as WriteBmpFile does.
void RewriteBmpFile(const BmpRewriteLayout& layout, const SourceBytesReader& read,
                    const std::string& path, const RowBandChange& change);

// Raised when a picture cannot be written (empty or too large picture, or a
// file system error); the message names the file and the reason.
class BmpWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> WriteBmp(const Picture& picture, const SourceFileInfo& source = {});
// Replaces the file as a whole or not at all: the bytes go to a temporary
// file in the same folder, are flushed to disk, and the temporary file is
// then renamed over the target. On failure the old file is untouched and no
// temporary file is left behind.
void WriteBmpFile(const Picture& picture, const std::string& path,
                  const SourceFileInfo& source = {});

}  // namespace hushlake
