#pragma once
// The bytes of many positions of a picture, copied through the view's
// PixelBytesReader: the positions of a batch are sorted by where their bytes
// lie (a counting sort over fixed chunks of the pixel array, never a
// comparison sort of millions), and only the runs of chunks that hold some
// are copied, each into one reused buffer. A batch whose positions fill the
// picture so becomes one sweep of it in large reads; a batch of a few
// positions far apart, a few small reads.
//
// Copying only pays while it is cheaper than faulting in the pages of a
// mapping of the same bytes, and a mapped page is paid for once while a
// copied one is copied again by every batch that needs it. So a batch is
// copied only when its reads cost less than loading its positions would,
// and only within a budget of about one sweep of the picture: a text long
// enough to need more is then loaded from the mapping, whatever was copied
// before being its whole extra cost. The costs are those of a virtual
// machine where a page fault costs several microseconds.
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
  // lowest, and Cursor past them. False when copying them does not pay
  // (see above): Cursor is left as it was, and Out holds nothing.
  bool Fetch(PositionOrder::Cursor& cursor, std::span<std::uint64_t> out);

  static constexpr std::int64_t MaxSpanBytes = std::int64_t{1} << 32;
  // A chunk's positions are copied in one read, from the lowest byte to the
  // highest they need; adjacent chunks with positions, up to the largest
  // read, in one read together.
  static constexpr int ChunkShift = 14;
  static constexpr std::int64_t ChunkBytes = std::int64_t{1} << ChunkShift;
  static constexpr std::int64_t ReadBytes = 4 * ChunkBytes;
  // Costs in nanoseconds: a read, a hundred copied bytes, a mapped page
  // faulted in (4 KiB).
  static constexpr std::int64_t ReadCost = 1400;
  static constexpr std::int64_t HundredBytesCost = 7;
  static constexpr std::int64_t PageCost = 900;

 private:
  // The slots First to Last of one read, and the bytes Begin to End it reads.
  struct Run {
    std::uint32_t first;
    std::uint32_t last;
    std::int64_t begin;
    std::int64_t end;
  };

  std::int64_t OffsetOf(PixelPosition p) const {
    return topOffset_ + p.row * stride_ + p.column * columnBytes_ + lead_;
  }
  // Sorts the offsets in Out into slots_ by chunk; chunkEnds_[c] is then
  // the end of chunk c's slots.
  void SortByChunk(std::span<const std::uint64_t> out);
  // The reads of the sorted batch, into runs_.
  void PlanRuns(std::span<const std::uint64_t> out);
  // The last chunk of the run that starts at First.
  std::size_t RunEnd(std::size_t first) const;
  // Copies the bytes of Run and fills in the positions of its slots.
  void CopyRun(const Run& run, std::span<std::uint64_t> out);

  const PixelView& pixels_;
  std::int64_t stride_;
  std::int64_t columnBytes_;
  std::int64_t lead_;
  int width_;
  std::int64_t topOffset_;  // of row 0, from the lowest byte of the rows
  std::int64_t span_;
  std::int64_t budget_;  // what copying may still cost
  std::vector<std::uint32_t> chunkEnds_;
  std::unique_ptr<std::uint32_t[]> slots_;  // indexes into the batch, in chunk order
  std::vector<Run> runs_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace hushlake
