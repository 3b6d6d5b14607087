#pragma once
// The bytes of many positions of a picture, copied through the view's
// PixelBytesReader: the positions of a batch are sorted by where their bytes
// lie (a counting sort over fixed chunks of the pixel array, never a
// comparison sort of millions), and only the runs of chunks that hold some
// are copied, each into one reused buffer. A batch whose positions fill the
// picture so becomes one sweep of it in large reads; a batch of a few
// positions far apart, a few small reads.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "stego/pixel_view.h"
#include "stego/position_order.h"

namespace hushlake {

class CopiedPositionBytes {
 public:
  // A position's Width bytes (1 to 8) start Lead bytes (maybe negative)
  // after the first byte of its column, columns being ColumnBytes bytes
  // apart. Every such byte lies in a row of Pixels, which has a reader and
  // whose rows span at most MaxSpanBytes. A batch holds at most MaxBatch.
  CopiedPositionBytes(const PixelView& pixels, int columnBytes, int lead, int width,
                      std::size_t maxBatch);

  // Out[i]: the bytes of the i-th position from Cursor on, the first one
  // lowest. Cursor ends past them.
  void Fetch(PositionOrder::Cursor& cursor, std::span<std::uint64_t> out);

  static constexpr std::int64_t MaxSpanBytes = std::int64_t{1} << 32;
  // A chunk's positions are copied in one read, from the lowest byte to the
  // highest they need; adjacent chunks with positions, up to the largest
  // read, in one read together.
  static constexpr int ChunkShift = 14;
  static constexpr std::int64_t ChunkBytes = std::int64_t{1} << ChunkShift;
  static constexpr std::int64_t ReadBytes = 4 * ChunkBytes;

 private:
  std::int64_t OffsetOf(PixelPosition p) const {
    return topOffset_ + p.row * stride_ + p.column * columnBytes_ + lead_;
  }
  // Sorts the offsets in Out into slots_ by chunk; chunkEnds_[c] is then
  // the end of chunk c's slots.
  void SortByChunk(std::span<const std::uint64_t> out);
  // The last chunk of the run that starts at First.
  std::size_t RunEnd(std::size_t first) const;
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
  std::unique_ptr<std::uint32_t[]> slots_;  // indexes into the batch, in chunk order
  std::vector<std::uint8_t> buffer_;
};

}  // namespace hushlake
