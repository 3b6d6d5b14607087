#pragma once
// The bytes of many positions of a picture, copied through the view's
// PixelBytesReader: the positions of a batch are sorted by where their bytes
// lie (a counting sort over fixed chunks of the pixel array, never a
// comparison sort of millions), and only the runs of chunks that hold some
// are copied, each into one reused buffer. A batch whose positions fill the
// picture so becomes one sweep of it in large reads; a batch of a few
// positions far apart, a few small reads.
#include <cstdint>
#include <span>
#include <vector>

#include "stego/pixel_view.h"
#include "stego/position_order.h"

namespace hushlake {

class CopiedPositionBytes {
 public:
  // A position's Width bytes (1 to 8) start Lead bytes (maybe negative)
  // after the first byte of its column, columns being ColumnBytes bytes
  // apart. Every such byte lies in a row of Pixels, which has a reader.
  CopiedPositionBytes(const PixelView& pixels, int columnBytes, int lead, int width);

  // Out[i]: the bytes of the i-th position from Cursor on, the first one
  // lowest. Cursor ends past them.
  void Fetch(PositionOrder::Cursor& cursor, std::span<std::uint64_t> out);

  static constexpr int ChunkShift = 12;
  static constexpr std::int64_t ChunkBytes = std::int64_t{1} << ChunkShift;
  // The largest read; runs of chunks are cut there.
  static constexpr std::int64_t ReadBytes = 256 * 1024;
  // Chunks without positions read through rather than split a run: about
  // what one more read costs.
  static constexpr std::int64_t GapChunks = 4;

 private:
  std::int64_t OffsetOf(PixelPosition p) const {
    return topOffset_ + p.row * stride_ + p.column * columnBytes_ + lead_;
  }
  // Sorts the offsets in Out into slots_ by chunk; chunkEnds_[c] is then
  // the end of chunk c's slots.
  void SortByChunk(std::span<const std::uint64_t> out);
  // Copies the bytes from Begin to End of the pixel array and fills in the
  // positions of slots First to Last from them.
  void CopyRun(std::int64_t begin, std::int64_t end, std::uint32_t first, std::uint32_t last,
               std::span<std::uint64_t> out);

  const PixelView& pixels_;
  std::int64_t stride_;
  std::int64_t columnBytes_;
  std::int64_t lead_;
  int width_;
  std::int64_t topOffset_;  // of row 0, from the lowest byte of the rows
  std::int64_t span_;
  std::vector<std::uint32_t> chunkEnds_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace hushlake
