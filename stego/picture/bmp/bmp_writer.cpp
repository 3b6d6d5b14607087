// Writing Pictures as BMP files in their own pixel format, so that reading
// the file back gives the same bytes; files are replaced atomically.

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "crypto/bytes.h"
#include "platform/atomic_file.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/bmp/bmp_format.h"
#include "stego/picture/bmp/bmp_kept.h"

namespace hushlake {
namespace {

constexpr std::uint32_t kPaletteBytes = 256 * 4;

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

// Everything before the pixel data.
std::vector<std::uint8_t> Head(const Layout& layout, const Picture& picture) {
  std::vector<std::uint8_t> head(layout.pixelOffset);
  PutFileHeader(head.data(), layout);
  PutInfoHeader(head.data() + bmp::kFileHeaderSize, layout, picture);
  if (layout.paletteBytes != 0)
    bmp::PutPalette(head.data() + bmp::kFileHeaderSize + bmp::kInfoHeaderSize,
                    picture.GetPalette());
  return head;
}

// A row's padding: never more than three bytes, as rows end on four.
constexpr std::uint8_t kZeros[4] = {};

using Piece = std::span<const std::uint8_t>;

// The pieces of one file row: bytes where they lie, appended to `pieces`.
class RowPieces {
 public:
  explicit RowPieces(std::vector<Piece>& pieces) : pieces_(pieces) {}
  void Add(const std::uint8_t* bytes, std::size_t count) { pieces_.emplace_back(bytes, count); }
  void Pad(std::size_t count) { pieces_.emplace_back(kZeros, count); }

 private:
  std::vector<Piece>& pieces_;
};

// Stored row `stored` of the plain layout: stored row 0 is the bottom row.
void AddPlainRow(RowPieces& out, const Layout& layout, const Picture& picture, int stored) {
  const std::size_t rowBytes = picture.RowBytes();
  out.Add(picture.Row(picture.Height() - 1 - stored), rowBytes);
  out.Pad(layout.stride - rowBytes);
}

// Rows of a picture laid out as a kept source file has them: in the file's
// row order, with the pixels the even-sized picture lacks taken from the edge
// block.
class KeptRows {
 public:
  KeptRows(const Picture& picture, const bmp::KeptLayout& layout)
      : picture_(picture),
        layout_(layout),
        pixelBytes_(static_cast<std::size_t>(picture.BytesPerPixel())) {}
  // Stored row `stored` (stride bytes, padding zero).
  void Add(RowPieces& out, int stored) const {
    const int y = layout_.topDown ? stored : layout_.height - 1 - stored;
    const bool oddWidth = picture_.Width() != layout_.width;
    const std::size_t columnBytes =
        oddWidth ? static_cast<std::size_t>(layout_.height) * pixelBytes_ : 0;
    std::size_t written = 0;
    if (y < picture_.Height()) {
      out.Add(picture_.Row(y), picture_.RowBytes());
      written = picture_.RowBytes();
      if (oddWidth) {
        out.Add(layout_.edge.data() + static_cast<std::size_t>(y) * pixelBytes_, pixelBytes_);
        written += pixelBytes_;
      }
    } else {  // the bottom row of an odd height
      written = static_cast<std::size_t>(layout_.width) * pixelBytes_;
      out.Add(layout_.edge.data() + columnBytes, written);
    }
    out.Pad(layout_.stride - written);
  }

 private:
  const Picture& picture_;
  const bmp::KeptLayout& layout_;
  std::size_t pixelBytes_;
};

// The kept head with the picture's palette in its colour table and, for an
// RLE8 source now written uncompressed, the fields that describe the pixels.
std::vector<std::uint8_t> KeptHead(const Picture& picture, const bmp::KeptLayout& layout) {
  std::vector<std::uint8_t> head(layout.head.begin(), layout.head.end());
  if (layout.paletteAt != 0) bmp::PutPalette(head.data() + layout.paletteAt, picture.GetPalette());
  if (layout.rle) {
    const std::uint64_t imageSize = layout.stride * static_cast<std::uint64_t>(layout.height);
    const std::uint64_t fileSize = head.size() + imageSize + layout.tail.size();
    std::uint8_t* info = head.data() + bmp::kFileHeaderSize;
    StoreLE32(info + bmp::kCompressionAt, bmp::kRgb);
    StoreLE32(info + bmp::kImageSizeAt, static_cast<std::uint32_t>(imageSize));
    StoreLE32(head.data() + bmp::kFileSizeAt,
              fileSize > UINT32_MAX ? 0 : static_cast<std::uint32_t>(fileSize));
  }
  return head;
}

// Takes the file's bytes in order, as runs of pieces.
using PieceSink = std::function<void(std::span<const Piece>)>;

// The rows go out as pieces of the picture's own memory, a batch at a time:
// neither a copy of the file nor a buffer of rows is made, and the pieces
// of a batch reach the file in one gathered write.
template <class AddRowFn>
void EmitRows(const PieceSink& sink, int rows, const AddRowFn& addRow) {
  constexpr int RowsPerBatch = 256;
  std::vector<Piece> pieces;
  pieces.reserve(3 * RowsPerBatch);
  RowPieces out(pieces);
  for (int first = 0; first < rows; first += RowsPerBatch) {
    pieces.clear();
    for (int stored = first; stored < std::min(rows, first + RowsPerBatch); ++stored)
      addRow(out, stored);
    sink(pieces);
  }
}

// The file's size; raises BmpWriteError for a picture that cannot be written.
std::uint64_t PlannedSize(const Picture& picture, const SourceFileInfo& source) {
  const Layout layout = PlanLayout(picture);
  const std::optional<bmp::KeptLayout> kept = bmp::PlanKeptLayout(picture, source);
  if (!kept) return layout.fileSize;
  return kept->head.size() + kept->stride * static_cast<std::uint64_t>(kept->height) +
         kept->tail.size();
}

// The whole file, in order, into `sink`.
void EmitFile(const Picture& picture, const SourceFileInfo& source, const PieceSink& sink) {
  const std::optional<bmp::KeptLayout> kept = bmp::PlanKeptLayout(picture, source);
  if (!kept) {
    const Layout layout = PlanLayout(picture);
    const std::vector<std::uint8_t> head = Head(layout, picture);
    const Piece headPiece(head);
    sink({&headPiece, 1});
    EmitRows(sink, picture.Height(),
             [&](RowPieces& out, int stored) { AddPlainRow(out, layout, picture, stored); });
    return;
  }
  const std::vector<std::uint8_t> head = KeptHead(picture, *kept);
  const Piece headPiece(head);
  sink({&headPiece, 1});
  const KeptRows rows(picture, *kept);
  EmitRows(sink, kept->height, [&](RowPieces& out, int stored) { rows.Add(out, stored); });
  const Piece tailPiece(kept->tail);
  sink({&tailPiece, 1});
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const Picture& picture, const SourceFileInfo& source) {
  std::vector<std::uint8_t> file;
  file.reserve(PlannedSize(picture, source));
  EmitFile(picture, source, [&file](std::span<const Piece> pieces) {
    for (const Piece piece : pieces) file.insert(file.end(), piece.begin(), piece.end());
  });
  return file;
}

void WriteBmpFile(const Picture& picture, const std::string& path, const SourceFileInfo& source) {
  PlannedSize(picture, source);  // refused pictures throw before the file is touched
  try {
    AtomicFileWriter file(path);
    EmitFile(picture, source, [&file](std::span<const Piece> pieces) { file.Write(pieces); });
    file.Commit();
  } catch (const EFileWrite& error) {
    throw BmpWriteError(error.what());
  }
}

}  // namespace hushlake
