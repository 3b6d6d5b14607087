// Reading BMP files. Every header field is distrusted: sizes and offsets are
// checked against the file's length before any pixel memory is allocated.
// A file on disk is read in two steps when it can be: first the headers, then
// the rows straight into the picture, so the pixels are copied only once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "crypto/bytes.h"
#include "platform/file_descriptor.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/bmp/bmp_format.h"
#include "stego/picture/bmp/bmp_kept.h"
#include "stego/picture/bmp/bmp_rle8.h"

namespace hushlake {
namespace {

using bmp::MalformedBmp;

struct Header {
  std::uint32_t headerSize = 0;
  bool core = false;
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool topDown = false;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t compression = bmp::kRgb;
  std::uint32_t imageSize = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t pixelOffset = 0;
};

// The channel masks of a 32-bit picture, in the order of the Picture's bytes.
struct ChannelMasks {
  std::uint32_t blue = bmp::kStandardBlueMask;
  std::uint32_t green = bmp::kStandardGreenMask;
  std::uint32_t red = bmp::kStandardRedMask;
  std::uint32_t alpha = 0;
  bool Standard() const {
    return blue == bmp::kStandardBlueMask && green == bmp::kStandardGreenMask &&
           red == bmp::kStandardRedMask;
  }
};

// Thrown when a field lies past the bytes loaded so far: the caller loads the
// file up to `end` and starts again.
struct NotLoaded {
  std::uint64_t end = 0;
};

// The file's bytes as far as they are loaded (all of them, or its start),
// checked against the file's full length.
class FileBytes {
 public:
  FileBytes(std::span<const std::uint8_t> loaded, std::uint64_t fileSize)
      : loaded_(loaded), size_(fileSize) {}
  std::uint64_t Size() const { return size_; }
  // Malformed, naming what was wanted, unless [offset, offset + count) is in the file.
  void CheckInFile(std::uint64_t offset, std::uint64_t count, const char* what) const {
    if (offset > size_ || count > size_ - offset)
      throw MalformedBmp("truncated file: " + std::string(what) + " needs " +
                         std::to_string(count) + " bytes at offset " + std::to_string(offset) +
                         ", but the file has only " + std::to_string(size_) + " bytes");
  }
  const std::uint8_t* Need(std::uint64_t offset, std::uint64_t count, const char* what) const {
    CheckInFile(offset, count, what);
    if (offset + count > loaded_.size()) throw NotLoaded{offset + count};
    return loaded_.data() + offset;
  }
  std::span<const std::uint8_t> Span(std::uint64_t offset, std::uint64_t count,
                                     const char* what) const {
    return {Need(offset, count, what), static_cast<std::size_t>(count)};
  }

 private:
  std::span<const std::uint8_t> loaded_;
  std::uint64_t size_;
};

// Fills `into` with the file's bytes from `offset` on; the range is known to
// be inside the file.
using FetchBytes = std::function<void(std::uint64_t offset, std::span<std::uint8_t> into)>;

std::string Hex32(std::uint32_t value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += digits[(value >> shift) & 15];
  return text;
}

Header ParseCoreHeader(const std::uint8_t* h, Header header) {
  header.core = true;
  header.width = LoadLE16(h + bmp::kCoreWidthAt);
  header.height = LoadLE16(h + bmp::kCoreHeightAt);
  header.bitsPerPixel = LoadLE16(h + bmp::kCoreBitCountAt);
  return header;
}

Header ParseInfoHeader(const std::uint8_t* h, Header header) {
  header.width = static_cast<std::int32_t>(LoadLE32(h + bmp::kWidthAt));
  const std::int64_t height = static_cast<std::int32_t>(LoadLE32(h + bmp::kHeightAt));
  header.topDown = height < 0;
  header.height = height < 0 ? -height : height;
  header.bitsPerPixel = LoadLE16(h + bmp::kBitCountAt);
  header.compression = LoadLE32(h + bmp::kCompressionAt);
  header.imageSize = LoadLE32(h + bmp::kImageSizeAt);
  header.colorsUsed = LoadLE32(h + bmp::kColorsUsedAt);
  return header;
}

Header ParseHeaders(const FileBytes& file) {
  const std::uint8_t* fileHeader = file.Need(0, bmp::kFileHeaderSize + 4, "the file header");
  if (LoadLE16(fileHeader) != bmp::kSignature)
    throw MalformedBmp("not a BMP file: it does not start with \"BM\"");
  Header header;
  header.pixelOffset = LoadLE32(fileHeader + bmp::kPixelOffsetAt);
  header.headerSize = LoadLE32(fileHeader + bmp::kFileHeaderSize);
  const bool known =
      header.headerSize == bmp::kCoreHeaderSize ||
      (header.headerSize >= bmp::kInfoHeaderSize && header.headerSize <= bmp::kMaxHeaderSize);
  if (!known)
    throw MalformedBmp("unknown bitmap header size " + std::to_string(header.headerSize) +
                       " (expected 12, or 40 to " + std::to_string(bmp::kMaxHeaderSize) + ")");
  const std::uint8_t* h = file.Need(bmp::kFileHeaderSize, header.headerSize, "the bitmap header");
  return header.headerSize == bmp::kCoreHeaderSize ? ParseCoreHeader(h, header)
                                                   : ParseInfoHeader(h, header);
}

bool IsSupportedDepth(std::uint32_t bits) { return bits == 8 || bits == 24 || bits == 32; }
// Depths that exist in BMP files but that the engine cannot use; 0 is the
// depth of files that embed a JPEG or PNG picture.
bool IsOtherBmpDepth(std::uint32_t bits) {
  return bits == 0 || bits == 1 || bits == 2 || bits == 4 || bits == 16 || bits == 48 || bits == 64;
}

const char* CompressionName(std::uint32_t compression) {
  switch (compression) {
    case bmp::kRgb:
      return "none";
    case bmp::kRle8:
      return "RLE8";
    case bmp::kRle4:
      return "RLE4";
    case bmp::kBitFields:
      return "bit fields";
    case bmp::kJpeg:
      return "JPEG";
    case bmp::kPng:
      return "PNG";
    case bmp::kAlphaBitFields:
      return "bit fields with alpha";
    default:
      return "unknown";
  }
}

void CheckCompression(const Header& header) {
  const std::uint32_t c = header.compression;
  const bool fits =
      c == bmp::kRgb || (header.bitsPerPixel == 8 && c == bmp::kRle8) ||
      (header.bitsPerPixel == 32 && (c == bmp::kBitFields || c == bmp::kAlphaBitFields));
  if (!fits)
    throw MalformedBmp("compression method " + std::to_string(c) + " (" + CompressionName(c) +
                       ") is not supported with " + std::to_string(header.bitsPerPixel) +
                       " bits per pixel");
}

void CheckDimensions(const Header& header) {
  if (header.width <= 0)
    throw MalformedBmp("picture width " + std::to_string(header.width) + " is not positive");
  if (header.height == 0) throw MalformedBmp("picture height is zero");
  if (header.width > kBmpMaxSide || header.height > kBmpMaxSide)
    throw MalformedBmp("picture size " + std::to_string(header.width) + " x " +
                       std::to_string(header.height) + " exceeds the limit of " +
                       std::to_string(kBmpMaxSide) + " pixels per side");
  const auto pixels = static_cast<std::uint64_t>(header.width * header.height);
  const std::uint64_t limit = header.compression == bmp::kRle8 ? kBmpMaxRlePixels : kBmpMaxPixels;
  if (pixels > limit)
    throw MalformedBmp("picture size " + std::to_string(header.width) + " x " +
                       std::to_string(header.height) + " exceeds the limit of " +
                       std::to_string(limit) + " pixels" +
                       (header.compression == bmp::kRle8 ? " for RLE8 data" : ""));
}

PixelFormat FormatOf(std::uint32_t bitsPerPixel) {
  if (bitsPerPixel == 8) return PixelFormat::Indexed8;
  return bitsPerPixel == 24 ? PixelFormat::Bgr24 : PixelFormat::Bgrx32;
}

bool IsBitFields(const Header& header) {
  return header.compression == bmp::kBitFields || header.compression == bmp::kAlphaBitFields;
}

// A 40-byte header keeps bit-field masks after itself; larger headers hold
// them inside.
std::uint64_t MasksAfterHeader(const Header& header) {
  if (!IsBitFields(header) || header.headerSize > bmp::kInfoHeaderSize) return 0;
  return header.compression == bmp::kAlphaBitFields ? 16 : 12;
}

std::uint64_t HeadersEnd(const Header& header) {
  return bmp::kFileHeaderSize + std::uint64_t{header.headerSize} + MasksAfterHeader(header);
}

void CheckMask(std::uint32_t mask, const char* channel, bool mayBeZero) {
  if (mask == 0 && mayBeZero) return;
  const std::uint32_t lowest = mask & (~mask + 1);
  const bool oneRun = mask != 0 && ((mask + lowest) & mask) == 0;
  if (!oneRun)
    throw MalformedBmp(std::string("bit-field mask ") + Hex32(mask) + " of " + channel +
                       " is not one run of bits");
}

ChannelMasks ReadMasks(const FileBytes& file, const Header& header) {
  if (header.headerSize > bmp::kInfoHeaderSize && header.headerSize < bmp::kAlphaMaskAt)
    throw MalformedBmp("bitmap header of " + std::to_string(header.headerSize) +
                       " bytes is too short to hold its bit-field masks");
  const std::uint64_t at = header.headerSize > bmp::kInfoHeaderSize
                               ? bmp::kFileHeaderSize + bmp::kRedMaskAt
                               : bmp::kFileHeaderSize + bmp::kInfoHeaderSize;
  const std::uint8_t* m = file.Need(at, 12, "the bit-field masks");
  ChannelMasks masks;
  masks.red = LoadLE32(m);
  masks.green = LoadLE32(m + 4);
  masks.blue = LoadLE32(m + 8);
  const bool hasAlpha =
      header.headerSize >= bmp::kAlphaMaskAt + 4 || header.compression == bmp::kAlphaBitFields;
  if (hasAlpha) masks.alpha = LoadLE32(file.Need(at + 12, 4, "the alpha mask"));
  CheckMask(masks.red, "red", false);
  CheckMask(masks.green, "green", false);
  CheckMask(masks.blue, "blue", false);
  CheckMask(masks.alpha, "alpha", true);
  return masks;
}

// The value of one masked channel, widened or narrowed to 8 bits.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const std::uint32_t value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  const std::uint32_t maximum = (1u << bits) - 1;
  return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
}

// Rewrites 32-bit pixels stored with other masks as blue, green, red, alpha.
void ApplyMasks(Picture& picture, const ChannelMasks& masks) {
  std::span<std::uint8_t> bytes = picture.Pixels();
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    const std::uint32_t pixel = LoadLE32(bytes.data() + at);
    bytes[at] = Channel(pixel, masks.blue);
    bytes[at + 1] = Channel(pixel, masks.green);
    bytes[at + 2] = Channel(pixel, masks.red);
    bytes[at + 3] = Channel(pixel, masks.alpha);
  }
}

void CheckPixelOffset(const FileBytes& file, const Header& header, std::uint64_t tablesEnd) {
  if (header.pixelOffset > file.Size())
    throw MalformedBmp("pixel data offset " + std::to_string(header.pixelOffset) +
                       " lies beyond the end of the file (" + std::to_string(file.Size()) +
                       " bytes)");
  if (header.pixelOffset < tablesEnd)
    throw MalformedBmp("pixel data offset " + std::to_string(header.pixelOffset) +
                       " lies inside the headers and colour table, which end at " +
                       std::to_string(tablesEnd));
}

// Entries the picture's palette does not have stay zero.
Palette ReadPalette(const FileBytes& file, const Header& header) {
  const std::uint64_t start = HeadersEnd(header);
  std::uint64_t entries = 0;
  std::uint64_t entrySize = 4;
  if (header.core) {
    // The core header has no colour count; the table fills the gap before the pixels.
    entrySize = 3;
    CheckPixelOffset(file, header, start);
    entries = std::min<std::uint64_t>(256, (header.pixelOffset - start) / entrySize);
  } else {
    entries = header.colorsUsed == 0 ? 256 : header.colorsUsed;
    if (entries > 256)
      throw MalformedBmp("colour table of " + std::to_string(entries) +
                         " entries is larger than the 256 that 8 bits per pixel can use");
    file.Need(start, entries * entrySize, "the colour table");
    CheckPixelOffset(file, header, start + entries * entrySize);
  }
  const std::uint8_t* table = file.Need(start, entries * entrySize, "the colour table");
  Palette palette{};
  for (std::uint64_t i = 0; i < entries; ++i) {
    const std::uint8_t* entry = table + i * entrySize;
    palette[i] = PaletteEntry{entry[2], entry[1], entry[0],
                              static_cast<std::uint8_t>(entrySize == 4 ? entry[3] : 0)};
  }
  return palette;
}

int PictureRow(const Header& header, std::int64_t storedRow) {
  return static_cast<int>(header.topDown ? storedRow : header.height - 1 - storedRow);
}

// The last row's padding may be missing without any pixel being lost.
void CheckRowsInFile(const FileBytes& file, const Header& header) {
  const std::uint64_t stride =
      bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel);
  const std::uint64_t lastRow = static_cast<std::uint64_t>(header.width) * header.bitsPerPixel / 8;
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(header.height - 1) + lastRow;
  file.CheckInFile(header.pixelOffset, needed, "the pixel data");
}

void CopyRows(const FetchBytes& fetch, const Header& header, Picture& picture) {
  const std::uint64_t stride =
      bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel);
  const std::size_t rowBytes = picture.RowBytes();
  for (std::int64_t row = 0; row < header.height; ++row)
    fetch(header.pixelOffset + static_cast<std::uint64_t>(row) * stride,
          {picture.Row(PictureRow(header, row)), rowBytes});
}

// No encoder needs more than two bytes per pixel and two per row (runs of
// one pixel, an end of line each); data beyond twice that is never looked
// at, so a short picture followed by a huge file costs no more than itself.
std::uint64_t RleDataCap(const Header& header) {
  const auto pixels = static_cast<std::uint64_t>(header.width * header.height);
  return 4 * pixels + 4 * static_cast<std::uint64_t>(header.height) + 64 * 1024;
}

std::span<const std::uint8_t> RleData(const FileBytes& file, const Header& header) {
  if (header.imageSize != 0)
    file.CheckInFile(header.pixelOffset, header.imageSize, "the RLE8 data");
  const std::uint64_t stated =
      header.imageSize != 0 ? header.imageSize : file.Size() - header.pixelOffset;
  const std::span<const std::uint8_t> data =
      file.Span(header.pixelOffset, std::min(stated, RleDataCap(header)), "the RLE8 data");
  const auto pixels = static_cast<std::uint64_t>(header.width) * header.height;
  if (pixels > kBmpRleFreePixels && pixels / kBmpMaxRlePixelsPerByte > data.size())
    throw MalformedBmp("picture size " + std::to_string(header.width) + " x " +
                       std::to_string(header.height) + " is more than " +
                       std::to_string(data.size()) + " bytes of RLE8 data can describe");
  return data;
}

struct CheckedLayout {
  ChannelMasks masks;
  Palette palette{};
};

// Everything that can be checked without reading a pixel; after it, the
// pixel memory the picture needs is justified by the file (or, for RLE8
// data, capped by CheckDimensions and by what its data can describe).
CheckedLayout CheckLayout(const FileBytes& file, const Header& header) {
  CheckDimensions(header);
  if (header.bitsPerPixel != 8) CheckPixelOffset(file, header, HeadersEnd(header));
  CheckedLayout layout;
  if (IsBitFields(header)) layout.masks = ReadMasks(file, header);
  if (header.bitsPerPixel == 8) layout.palette = ReadPalette(file, header);
  if (header.compression != bmp::kRle8) CheckRowsInFile(file, header);
  return layout;
}

Picture ReadPixels(const FileBytes& file, const Header& header, const FetchBytes& fetch) {
  const CheckedLayout layout = CheckLayout(file, header);
  const bool rle = header.compression == bmp::kRle8;
  const std::span<const std::uint8_t> rleData =
      rle ? RleData(file, header) : std::span<const std::uint8_t>{};
  // RLE data may skip pixels, which then stay zero; plain rows write every byte.
  const int width = static_cast<int>(header.width);
  const int height = static_cast<int>(header.height);
  const PixelFormat format = FormatOf(header.bitsPerPixel);
  Picture picture =
      rle ? Picture(width, height, format) : Picture::WithUnsetPixels(width, height, format);
  if (header.bitsPerPixel == 8) picture.SetPalette(layout.palette);
  if (rle)
    bmp::DecodeRle8(rleData, picture, header.topDown);
  else
    CopyRows(fetch, header, picture);
  if (!layout.masks.Standard()) ApplyMasks(picture, layout.masks);
  return picture;
}

// Whether writing the picture back in the file's own layout gives the same
// pixels (see bmp_kept.h for what is not kept).
bool Keepable(const FileBytes& file, const Header& header) {
  if (IsBitFields(header) && !ReadMasks(file, header).Standard()) return false;
  if (header.bitsPerPixel != 8) return true;
  return !header.core && (header.colorsUsed == 0 || header.colorsUsed == 256);
}

std::vector<std::uint8_t> Fetched(const FetchBytes& fetch, std::uint64_t offset,
                                  std::uint64_t count) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  fetch(offset, bytes);
  return bytes;
}

// The bytes after the pixel array, kept only up to the pixel array's own
// size, so a picture followed by much else costs no more than itself.
std::vector<std::uint8_t> Tail(const FileBytes& file, const Header& header,
                               const FetchBytes& fetch) {
  std::uint64_t pixelBytes = header.imageSize;
  if (header.compression != bmp::kRle8)
    pixelBytes = bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel) *
                 static_cast<std::uint64_t>(header.height);
  else if (pixelBytes == 0)
    return {};  // the RLE data runs to the end of the file
  const std::uint64_t end = header.pixelOffset + pixelBytes;
  if (end >= file.Size() || file.Size() - end > pixelBytes) return {};
  return Fetched(fetch, end, file.Size() - end);
}

// A profile larger than this is not kept: no colour profile comes near it.
constexpr std::uint64_t kMaxKeptProfileBytes = 4 << 20;

// For a file the plain layout replaces: its info header, and the profile a
// version 5 header names, when the profile lies in the file.
void KeepHeaderFields(const FileBytes& file, const Header& header, const FetchBytes& fetch,
                      SourceFileInfo& source) {
  if (header.core) return;
  source.bmpHeader = Fetched(fetch, bmp::kFileHeaderSize, header.headerSize);
  if (header.headerSize < bmp::kV5HeaderSize) return;
  const std::uint8_t* info = source.bmpHeader.data();
  const std::uint32_t space = LoadLE32(info + bmp::kColourSpaceAt);
  if (space != bmp::kEmbeddedProfile && space != bmp::kLinkedProfile) return;
  const std::uint64_t at =
      bmp::kFileHeaderSize + std::uint64_t{LoadLE32(info + bmp::kProfileDataAt)};
  const std::uint64_t size = LoadLE32(info + bmp::kProfileSizeAt);
  if (size == 0 || size > kMaxKeptProfileBytes || at > file.Size() || size > file.Size() - at)
    return;
  source.bmpProfile = Fetched(fetch, at, size);
}

SourceFileInfo KeptSource(const FileBytes& file, const Header& header, const Picture& picture,
                          const FetchBytes& fetch) {
  SourceFileInfo source{PictureFileKind::Bmp, picture.Format(), {}};
  if (!Keepable(file, header)) {
    KeepHeaderFields(file, header, fetch, source);
    return source;
  }
  source.kept.push_back({std::string(bmp::kBmpHeadBlock), KeptPlace::BeforePixels,
                         Fetched(fetch, 0, header.pixelOffset)});
  std::vector<std::uint8_t> tail = Tail(file, header, fetch);
  if (!tail.empty())
    source.kept.push_back(
        {std::string(bmp::kBmpTailBlock), KeptPlace::AfterPixels, std::move(tail)});
  std::vector<std::uint8_t> edge = bmp::EdgeOf(picture);
  if (!edge.empty())
    source.kept.push_back(
        {std::string(bmp::kBmpEdgeBlock), KeptPlace::BeforePixels, std::move(edge)});
  return source;
}

// The header checks every read shares, then `body` on the header; a fault of
// the file ends in Malformed with its reason.
template <class Result, class Body>
Result Decoded(const FileBytes& file, const Body& body) {
  Result result;
  try {
    const Header header = ParseHeaders(file);
    result.bitsPerPixel = static_cast<int>(header.bitsPerPixel);
    if (!IsSupportedDepth(header.bitsPerPixel)) {
      if (!IsOtherBmpDepth(header.bitsPerPixel))
        throw MalformedBmp(std::to_string(header.bitsPerPixel) +
                           " bits per pixel is not a BMP pixel depth");
      result.status = PictureReadStatus::Unsupported;
      result.error = "pictures with " + std::to_string(header.bitsPerPixel) +
                     " bits per pixel are not supported (only 8, 24 and 32)";
      return result;
    }
    if (!header.core) CheckCompression(header);
    body(header, result);
    result.status = PictureReadStatus::Ok;
  } catch (const MalformedBmp& fault) {
    const int bitsPerPixel = result.bitsPerPixel;
    result = Result();
    result.bitsPerPixel = bitsPerPixel;
    result.error = fault.what();
  }
  return result;
}

PictureReadResult Decode(const FileBytes& file, const FetchBytes& fetch) {
  return Decoded<PictureReadResult>(file, [&](const Header& header, PictureReadResult& result) {
    result.picture = ReadPixels(file, header, fetch);
    result.source = KeptSource(file, header, result.picture, fetch);
  });
}

// Whether the file's rows hold the bytes a Picture read from it holds:
// neither decoded from runs nor rewritten for other channel masks.
bool RowsInPlace(const Header& header, const CheckedLayout& layout) {
  return header.compression != bmp::kRle8 && layout.masks.Standard();
}

BmpHeaderResult DecodeHeader(const FileBytes& file) {
  return Decoded<BmpHeaderResult>(file, [&](const Header& header, BmpHeaderResult& result) {
    const CheckedLayout layout = CheckLayout(file, header);
    result.width = static_cast<int>(header.width);
    result.height = static_cast<int>(header.height);
    result.format = FormatOf(header.bitsPerPixel);
    result.palette = layout.palette;
    result.rowsInPlace = RowsInPlace(header, layout);
    const std::uint64_t pixelBytes =
        header.compression == bmp::kRle8
            ? (header.imageSize != 0 ? header.imageSize : RleDataCap(header))
            : bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel) *
                  static_cast<std::uint64_t>(header.height);
    result.bytesNeeded = header.pixelOffset + 2 * pixelBytes;
  });
}

// The rows where they lie, the top one first: a bottom-up file is walked
// backwards from its last stored row. The last row's padding may be missing,
// which no reader of Width pixels per row notices.
PixelView InPlaceView(const FileBytes& file, const Header& header, const CheckedLayout& layout) {
  const auto stride = static_cast<std::int64_t>(
      bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel));
  const std::uint64_t lastRow = static_cast<std::uint64_t>(header.width) * header.bitsPerPixel / 8;
  const std::uint64_t span = static_cast<std::uint64_t>(stride * (header.height - 1)) + lastRow;
  const std::uint8_t* first = file.Need(header.pixelOffset, span, "the pixel data");
  const std::uint8_t* top = header.topDown ? first : first + stride * (header.height - 1);
  return PixelView(top, header.topDown ? stride : -stride, static_cast<int>(header.width),
                   static_cast<int>(header.height), FormatOf(header.bitsPerPixel), layout.palette);
}

}  // namespace

PictureReadResult ReadBmp(std::span<const std::uint8_t> fileBytes) {
  const FileBytes file(fileBytes, fileBytes.size());
  return Decode(file, [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
    if (!into.empty())
      std::memcpy(into.data(), file.Need(offset, into.size(), "the pixel data"), into.size());
  });
}

std::optional<PixelView> ViewBmpPixels(std::span<const std::uint8_t> fileBytes) {
  const FileBytes file(fileBytes, fileBytes.size());
  std::optional<PixelView> view;
  const BmpHeaderResult checked =
      Decoded<BmpHeaderResult>(file, [&](const Header& header, BmpHeaderResult&) {
        const CheckedLayout layout = CheckLayout(file, header);
        if (RowsInPlace(header, layout)) view = InPlaceView(file, header, layout);
      });
  if (checked.status != PictureReadStatus::Ok) return std::nullopt;
  return view;
}

namespace {

// What Decoded needs of a result, for a plan of a rewrite.
struct RewriteCheck {
  PictureReadStatus status = PictureReadStatus::Malformed;
  int bitsPerPixel = 0;
  std::string error;
};

}  // namespace

std::optional<BmpRewriteLayout> PlanBmpRewrite(std::span<const std::uint8_t> fileBytes) {
  const FileBytes file(fileBytes, fileBytes.size());
  const FetchBytes fetch = [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
    if (!into.empty())
      std::memcpy(into.data(), file.Need(offset, into.size(), "the kept bytes"), into.size());
  };
  std::optional<BmpRewriteLayout> plan;
  const RewriteCheck checked =
      Decoded<RewriteCheck>(file, [&](const Header& header, RewriteCheck&) {
        const CheckedLayout layout = CheckLayout(file, header);
        if (!RowsInPlace(header, layout) || !Keepable(file, header)) return;
        // An 8-bit file keeps its table where the header ends, all 256 entries.
        const std::uint64_t paletteAt =
            header.bitsPerPixel == 8 ? bmp::kFileHeaderSize + header.headerSize : 0;
        if (paletteAt != 0 && paletteAt + 256 * 4 > header.pixelOffset) return;
        // The pixels must be there as a view of them needs them.
        InPlaceView(file, header, layout);
        BmpRewriteLayout rewrite;
        rewrite.head = Fetched(fetch, 0, header.pixelOffset);
        rewrite.tail = Tail(file, header, fetch);
        rewrite.pixelOffset = header.pixelOffset;
        rewrite.stride =
            bmp::RowStride(static_cast<std::uint64_t>(header.width), header.bitsPerPixel);
        rewrite.fileSize = file.Size();
        rewrite.width = static_cast<int>(header.width);
        rewrite.height = static_cast<int>(header.height);
        rewrite.topDown = header.topDown;
        rewrite.format = FormatOf(header.bitsPerPixel);
        rewrite.paletteAt = paletteAt;
        plan = std::move(rewrite);
      });
  if (checked.status != PictureReadStatus::Ok) return std::nullopt;
  return plan;
}

namespace {

template <class Result>
Result FileFailure(const std::string& path, const std::string& reason) {
  Result result;
  result.error = "cannot read BMP file \"" + path + "\": " + reason;
  return result;
}

// Reads up to into.size() bytes from `offset`; fewer only at the end of the file.
std::size_t ReadAt(int fd, std::uint64_t offset, std::span<std::uint8_t> into) {
  std::size_t done = 0;
  while (done < into.size()) {
    const ssize_t got =
        ::pread(fd, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw MalformedBmp(std::string("read error: ") + std::strerror(errno));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

// The headers, colour table and masks of ordinary files fit in one page;
// every further page would be one more fault on each start of the tool.
constexpr std::uint64_t kHeadBytes = 4 * 1024;

FetchBytes FromFile(int fd) {
  return [fd](std::uint64_t offset, std::span<std::uint8_t> into) {
    if (ReadAt(fd, offset, into) != into.size())
      throw MalformedBmp("the file became shorter while it was read");
  };
}

// Reads the file's start and decodes from it; RLE data or fields further in
// make it load the start up to what they need and try again, so no more of
// the file is held than the headers' checked claims reach.
template <class Result, class DecodeFn>
Result DecodeOpenFile(int fd, std::uint64_t size, const DecodeFn& decode) {
  std::uint64_t want = std::min(size, kHeadBytes);
  for (;;) {
    // Every byte is overwritten by the read, so the buffer is not cleared first.
    auto start = std::make_unique_for_overwrite<std::uint8_t[]>(want);
    try {
      const std::size_t got = ReadAt(fd, 0, {start.get(), static_cast<std::size_t>(want)});
      return decode(FileBytes({start.get(), got}, got < want ? got : size));
    } catch (const MalformedBmp& fault) {
      Result refused;
      refused.error = fault.what();
      return refused;
    } catch (const NotLoaded& more) {
      // Always inside the file and past what was loaded, so this ends.
      want = more.end;
    }
  }
}

}  // namespace

namespace {

// Opens the file, refuses what cannot be a picture here, and decodes it.
template <class Result, class DecodeFn>
Result ReadFile(const std::string& path, const DecodeFn& decode) {
  const FileDescriptor file = FileDescriptor::OpenForReading(path);
  if (file.Get() < 0) return FileFailure<Result>(path, std::strerror(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return FileFailure<Result>(path, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return FileFailure<Result>(path, "not a regular file");
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (size > kBmpMaxFileBytes)
    return FileFailure<Result>(
        path, "the file is larger than " + std::to_string(kBmpMaxFileBytes) + " bytes");
  Result result = DecodeOpenFile<Result>(file.Get(), size, [&](const FileBytes& bytes) {
    return decode(bytes, FromFile(file.Get()));
  });
  if (result.status == PictureReadStatus::Malformed)
    result.error = "\"" + path + "\" is not a usable BMP file: " + result.error;
  return result;
}

}  // namespace

PictureReadResult ReadBmpFile(const std::string& path) {
  return ReadFile<PictureReadResult>(
      path, [](const FileBytes& bytes, const FetchBytes& fetch) { return Decode(bytes, fetch); });
}

BmpHeaderResult ReadBmpHeader(std::span<const std::uint8_t> start, std::uint64_t fileSize) {
  try {
    return DecodeHeader(FileBytes(start, std::max<std::uint64_t>(fileSize, start.size())));
  } catch (const NotLoaded&) {
    BmpHeaderResult refused;
    refused.error = "the headers and colour table reach past the first " +
                    std::to_string(start.size()) + " bytes";
    return refused;
  }
}

BmpHeaderResult ReadBmpFileHeader(const std::string& path) {
  return ReadFile<BmpHeaderResult>(
      path, [](const FileBytes& bytes, const FetchBytes&) { return DecodeHeader(bytes); });
}

}  // namespace hushlake
