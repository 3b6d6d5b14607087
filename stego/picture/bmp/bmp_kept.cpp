#include "stego/picture/bmp/bmp_kept.h"

#include <cstdlib>

#include "crypto/bytes.h"
#include "stego/picture/bmp/bmp_format.h"

namespace hushlake::bmp {
namespace {

std::span<const std::uint8_t> BlockNamed(const SourceFileInfo& source, std::string_view name) {
  for (const KeptBlock& block : source.kept)
    if (block.name == name) return block.bytes;
  return {};
}

std::uint64_t EdgeBytes(int width, int height, int bytesPerPixel) {
  std::uint64_t bytes = 0;
  if (width % 2 != 0) bytes += static_cast<std::uint64_t>(height) * bytesPerPixel;
  if (height % 2 != 0) bytes += static_cast<std::uint64_t>(width) * bytesPerPixel;
  return bytes;
}

// The picture fits the file when it is the file's whole picture or the
// even-sized part of it that the engine works on (with the rest kept).
bool PictureFits(const Picture& picture, const KeptLayout& layout) {
  if (picture.Width() == layout.width && picture.Height() == layout.height) return true;
  return picture.Width() == layout.width / 2 * 2 && picture.Height() == layout.height / 2 * 2 &&
         layout.edge.size() == EdgeBytes(layout.width, layout.height, picture.BytesPerPixel());
}

// Reads the few fields the writer needs back out of the kept head; a head
// that does not describe a file this picture can go into gives nullopt.
std::optional<KeptLayout> ParseHead(std::span<const std::uint8_t> head, const Picture& picture) {
  if (head.size() < kFileHeaderSize + kCoreHeaderSize) return std::nullopt;
  const std::uint8_t* h = head.data() + kFileHeaderSize;
  const std::uint32_t headerSize = LoadLE32(h);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && (headerSize < kInfoHeaderSize || headerSize > kMaxHeaderSize)) return std::nullopt;
  if (head.size() < kFileHeaderSize + headerSize) return std::nullopt;
  if (LoadLE32(head.data() + kPixelOffsetAt) != head.size()) return std::nullopt;
  KeptLayout layout;
  layout.head = head;
  std::uint32_t bits = 0;
  if (core) {
    layout.width = LoadLE16(h + kCoreWidthAt);
    layout.height = LoadLE16(h + kCoreHeightAt);
    bits = LoadLE16(h + kCoreBitCountAt);
  } else {
    layout.width = static_cast<std::int32_t>(LoadLE32(h + kWidthAt));
    const auto height = static_cast<std::int32_t>(LoadLE32(h + kHeightAt));
    if (height == INT32_MIN) return std::nullopt;
    layout.topDown = height < 0;
    layout.height = std::abs(height);
    bits = LoadLE16(h + kBitCountAt);
    const std::uint32_t compression = LoadLE32(h + kCompressionAt);
    layout.rle = compression == kRle8;
    if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields &&
        !(layout.rle && bits == 8))
      return std::nullopt;
  }
  if (bits != static_cast<std::uint32_t>(picture.BytesPerPixel()) * 8) return std::nullopt;
  if (bits == 8) {
    // All 256 entries, four bytes each, right after the header.
    if (core) return std::nullopt;
    layout.paletteAt = kFileHeaderSize + headerSize;
    if (layout.paletteAt + 256 * 4 > head.size()) return std::nullopt;
  }
  layout.stride = RowStride(static_cast<std::uint64_t>(layout.width), bits);
  return layout;
}

}  // namespace

std::optional<KeptLayout> PlanKeptLayout(const Picture& picture, const SourceFileInfo& source) {
  if (picture.Empty() || source.kind != PictureFileKind::Bmp || source.format != picture.Format())
    return std::nullopt;
  std::optional<KeptLayout> layout = ParseHead(BlockNamed(source, kBmpHeadBlock), picture);
  if (!layout) return std::nullopt;
  layout->tail = BlockNamed(source, kBmpTailBlock);
  layout->edge = BlockNamed(source, kBmpEdgeBlock);
  if (!PictureFits(picture, *layout)) return std::nullopt;
  return layout;
}

void PutPalette(std::uint8_t* out, const Palette& palette) {
  for (const PaletteEntry& entry : palette) {
    out[0] = entry.blue;
    out[1] = entry.green;
    out[2] = entry.red;
    out[3] = entry.flags;
    out += 4;
  }
}

std::vector<std::uint8_t> EdgeOf(const Picture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  const auto pixelBytes = static_cast<std::size_t>(picture.BytesPerPixel());
  std::vector<std::uint8_t> edge;
  edge.reserve(EdgeBytes(width, height, picture.BytesPerPixel()));
  if (width % 2 != 0)
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* pixel =
          picture.Row(y) + (static_cast<std::size_t>(width) - 1) * pixelBytes;
      edge.insert(edge.end(), pixel, pixel + pixelBytes);
    }
  if (height % 2 != 0)
    edge.insert(edge.end(), picture.Row(height - 1), picture.Row(height - 1) + picture.RowBytes());
  return edge;
}

}  // namespace hushlake::bmp
