// Encrypt's result written straight from its source file: each band of rows
// is read, changed and written before the next one is read, so the picture
// is never held whole and the rows stay in the processor's cache between the
// three steps.
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/atomic_file.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/bmp/bmp_kept.h"

namespace hushlake {
namespace {

// A quarter of a megabyte of rows at a time (at least one row): the band
// stays in the processor's cache, and takes few fresh pages.
constexpr std::uint64_t BandBytes = 1 << 18;

// The rows of the even-sized picture among stored rows [first, first + count)
// of the band held at Bytes.
RowBand PictureRowsOf(const BmpRewriteLayout& layout, int first, int count, std::uint8_t* bytes) {
  const int evenHeight = layout.height / 2 * 2;
  const auto stride = static_cast<std::int64_t>(layout.stride);
  RowBand rows;
  if (layout.topDown) {  // stored row s is row s
    rows.firstRow = first;
    rows.rowCount = std::max(0, std::min(first + count, evenHeight) - first);
    rows.firstRowBytes = bytes;
    rows.stride = stride;
  } else {  // stored row s is row height - 1 - s
    rows.firstRow = layout.height - first - count;
    rows.rowCount = std::max(0, std::min(layout.height - first, evenHeight) - rows.firstRow);
    rows.firstRowBytes = bytes + static_cast<std::int64_t>(count - 1) * stride;
    rows.stride = -stride;
  }
  return rows;
}

// Stored rows [first, first + count) as the new file holds them before the
// change: the source's pixels, zero padding (as WriteBmpFile pads), and zero
// for a last row's padding the source lacks.
void ReadBand(const BmpRewriteLayout& layout, const SourceBytesReader& read, int first, int count,
              std::span<std::uint8_t> band) {
  const std::uint64_t offset =
      layout.pixelOffset + static_cast<std::uint64_t>(first) * layout.stride;
  const std::uint64_t present =
      std::min<std::uint64_t>(band.size(), layout.fileSize > offset ? layout.fileSize - offset : 0);
  read(offset, band.first(static_cast<std::size_t>(present)));
  std::fill(band.begin() + static_cast<std::ptrdiff_t>(present), band.end(), std::uint8_t{0});
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(layout.width) *
                                 static_cast<std::uint64_t>(BytesPerPixelOf(layout.format));
  for (int row = 0; row < count; ++row) {
    std::uint8_t* padding =
        band.data() + static_cast<std::uint64_t>(row) * layout.stride + rowBytes;
    std::fill(padding, padding + (layout.stride - rowBytes), std::uint8_t{0});
  }
}

}  // namespace

void PutRewritePalette(BmpRewriteLayout& layout, const Palette& palette) {
  if (layout.paletteAt == 0 || layout.paletteAt + 256 * 4 > layout.head.size())
    throw std::logic_error("PutRewritePalette: the file has no colour table to hold it");
  bmp::PutPalette(layout.head.data() + layout.paletteAt, palette);
}

void RewriteBmp(const BmpRewriteLayout& layout, const SourceBytesReader& read,
                const RowBandChange& change, const BmpBytesSink& sink) {
  const int rowsPerBand =
      static_cast<int>(std::clamp<std::uint64_t>(BandBytes / layout.stride, 1, layout.height));
  std::vector<std::uint8_t> band(static_cast<std::size_t>(rowsPerBand) * layout.stride);
  sink(layout.head);
  for (int first = 0; first < layout.height; first += rowsPerBand) {
    const int count = std::min(rowsPerBand, layout.height - first);
    const std::span<std::uint8_t> rows(band.data(),
                                       static_cast<std::size_t>(count) * layout.stride);
    ReadBand(layout, read, first, count, rows);
    const RowBand pictureRows = PictureRowsOf(layout, first, count, band.data());
    if (pictureRows.rowCount > 0) change(pictureRows);
    sink(rows);
  }
  sink(layout.tail);
}

void RewriteBmpFile(const BmpRewriteLayout& layout, const SourceBytesReader& read,
                    const std::string& path, const RowBandChange& change) {
  try {
    AtomicFileWriter file(path);
    RewriteBmp(layout, read, change,
               [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); });
    file.Commit();
  } catch (const EFileWrite& error) {
    throw BmpWriteError(error.what());
  }
}

}  // namespace hushlake
