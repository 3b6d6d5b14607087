// Writing Pictures as BMP files in their own pixel format, so that reading
// the file back gives the same bytes; files are replaced atomically.

#include <algorithm>
#include <cstring>
#include <string>

#include "crypto/atomic_file.h"
#include "crypto/bytes.h"
#include "stego/bmp_codec.h"
#include "stego/bmp_format.h"

namespace hushlake {
namespace {

constexpr std::uint32_t kPaletteBytes = 256 * 4;
constexpr std::uint32_t kChunkBytes = 1 << 20;

struct Layout {
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t stride = 0;
  std::uint32_t paletteBytes = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t fileSize = 0;
};

std::string SizeText(const Picture& picture) {
  return std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
}

// Refuses what the reader would refuse, so every file written can be read back.
Layout PlanLayout(const Picture& picture) {
  if (picture.Empty()) throw BmpWriteError("cannot write an empty picture as BMP");
  const auto pixels =
      static_cast<std::uint64_t>(picture.Width()) * static_cast<std::uint64_t>(picture.Height());
  if (picture.Width() > kBmpMaxSide || picture.Height() > kBmpMaxSide || pixels > kBmpMaxPixels)
    throw BmpWriteError("cannot write a picture of " + SizeText(picture) +
                        " pixels as BMP: it is larger than a BMP file may be here");
  Layout layout;
  layout.bitsPerPixel = static_cast<std::uint16_t>(picture.BytesPerPixel() * 8);
  const std::uint64_t stride =
      bmp::RowStride(static_cast<std::uint64_t>(picture.Width()), layout.bitsPerPixel);
  layout.stride = static_cast<std::uint32_t>(stride);
  layout.paletteBytes = picture.Format() == PixelFormat::Indexed8 ? kPaletteBytes : 0;
  layout.pixelOffset = bmp::kFileHeaderSize + bmp::kInfoHeaderSize + layout.paletteBytes;
  // At most 2^28 pixels of 4 bytes plus padding: always inside 32 bits.
  layout.imageSize =
      static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(picture.Height()));
  layout.fileSize = layout.pixelOffset + layout.imageSize;
  return layout;
}

void PutFileHeader(std::uint8_t* out, const Layout& layout) {
  StoreLE16(out, bmp::kSignature);
  StoreLE32(out + bmp::kFileSizeAt, layout.fileSize);
  StoreLE32(out + bmp::kPixelOffsetAt, layout.pixelOffset);
}

void PutInfoHeader(std::uint8_t* out, const Layout& layout, const Picture& picture) {
  StoreLE32(out, bmp::kInfoHeaderSize);
  StoreLE32(out + bmp::kWidthAt, static_cast<std::uint32_t>(picture.Width()));
  // A positive height: rows are stored bottom-up.
  StoreLE32(out + bmp::kHeightAt, static_cast<std::uint32_t>(picture.Height()));
  StoreLE16(out + bmp::kPlanesAt, 1);
  StoreLE16(out + bmp::kBitCountAt, layout.bitsPerPixel);
  StoreLE32(out + bmp::kCompressionAt, bmp::kRgb);
  StoreLE32(out + bmp::kImageSizeAt, layout.imageSize);
  StoreLE32(out + bmp::kColorsUsedAt, layout.paletteBytes / 4);
}

// Blue, green, red and the flags byte in the entry's reserved byte, so the
// flags survive a round trip.
void PutPalette(std::uint8_t* out, const Palette& palette) {
  for (const PaletteEntry& entry : palette) {
    out[0] = entry.blue;
    out[1] = entry.green;
    out[2] = entry.red;
    out[3] = entry.flags;
    out += 4;
  }
}

// Everything before the pixel data.
std::vector<std::uint8_t> Head(const Layout& layout, const Picture& picture) {
  std::vector<std::uint8_t> head(layout.pixelOffset);
  PutFileHeader(head.data(), layout);
  PutInfoHeader(head.data() + bmp::kFileHeaderSize, layout, picture);
  if (layout.paletteBytes != 0)
    PutPalette(head.data() + bmp::kFileHeaderSize + bmp::kInfoHeaderSize, picture.GetPalette());
  return head;
}

// Stored rows [first, first + count) into `out`, each padded with zeros.
// Stored row 0 is the bottom row of the picture.
void PutRows(std::uint8_t* out, const Layout& layout, const Picture& picture, int first,
             int count) {
  const std::size_t rowBytes = picture.RowBytes();
  for (int stored = first; stored < first + count; ++stored) {
    std::memcpy(out, picture.Row(picture.Height() - 1 - stored), rowBytes);
    std::memset(out + rowBytes, 0, layout.stride - rowBytes);
    out += layout.stride;
  }
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const Picture& picture) {
  const Layout layout = PlanLayout(picture);
  std::vector<std::uint8_t> file = Head(layout, picture);
  // Appending row by row touches each new byte once; sizing first would clear
  // the whole buffer before the rows overwrite it.
  file.reserve(layout.fileSize);
  const std::size_t rowBytes = picture.RowBytes();
  for (int y = picture.Height() - 1; y >= 0; --y) {
    file.insert(file.end(), picture.Row(y), picture.Row(y) + rowBytes);
    file.insert(file.end(), layout.stride - rowBytes, 0);
  }
  return file;
}

void WriteBmpFile(const Picture& picture, const std::string& path) {
  const Layout layout = PlanLayout(picture);
  try {
    AtomicFileWriter file(path);
    file.Write(Head(layout, picture));
  // Rows go out through a small buffer: a whole-file copy in memory would
  // cost more than the write itself.
    const int rowsPerChunk =
        static_cast<int>(std::max<std::uint32_t>(1, kChunkBytes / layout.stride));
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(rowsPerChunk) * layout.stride);
    for (int first = 0; first < picture.Height(); first += rowsPerChunk) {
      const int count = std::min(rowsPerChunk, picture.Height() - first);
      PutRows(chunk.data(), layout, picture, first, count);
      file.Write({chunk.data(), static_cast<std::size_t>(count) * layout.stride});
    }
    file.Commit();
  } catch (const EFileWrite& error) {
    throw BmpWriteError(error.what());
  }
}

}  // namespace hushlake
