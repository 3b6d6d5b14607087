#include "stego/copied_position_bytes.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace hushlake {

namespace {

std::int64_t CopyCost(std::int64_t reads, std::int64_t bytes) {
  return reads * CopiedPositionBytes::ReadCost +
         bytes * CopiedPositionBytes::HundredBytesCost / 100;
}

}  // namespace

CopiedPositionBytes::CopiedPositionBytes(const PixelView& pixels, int columnBytes, int lead,
                                         int width, std::size_t maxBatch)
    : pixels_(pixels),
      stride_(pixels.Stride()),
      columnBytes_(columnBytes),
      lead_(lead),
      width_(width),
      topOffset_(pixels.Height() > 0 ? pixels.Row(0) - pixels.Lowest() : 0),
      span_(pixels.SpanBytes()),
      budget_(CopyCost((span_ + ReadBytes - 1) / ReadBytes, span_)),
      chunkEnds_(static_cast<std::size_t>((span_ + ChunkBytes - 1) >> ChunkShift)),
      slots_(std::make_unique_for_overwrite<std::uint32_t[]>(maxBatch)),
      buffer_(static_cast<std::size_t>(ReadBytes) + 16) {}

bool CopiedPositionBytes::Fetch(PositionOrder::Cursor& cursor, std::span<std::uint64_t> out) {
  PositionOrder::Cursor local = cursor;
  for (std::uint64_t& offset : out) {
    offset = static_cast<std::uint64_t>(OffsetOf(*local));
    ++local;
  }
  SortByChunk(out);
  PlanRuns(out);
  std::int64_t bytes = 0;
  std::int64_t pages = 0;
  for (const Run& run : runs_) {
    bytes += run.end - run.begin;
    // The pages its positions would fault in: at most one each.
    pages += std::min<std::int64_t>(run.last - run.first, (run.end - run.begin + 4095) / 4096);
  }
  const std::int64_t cost = CopyCost(static_cast<std::int64_t>(runs_.size()), bytes);
  if (cost > budget_ || cost > pages * PageCost) return false;
  budget_ -= cost;
  for (const Run& run : runs_) CopyRun(run, out);
  cursor = local;
  return true;
}

void CopiedPositionBytes::SortByChunk(std::span<const std::uint64_t> out) {
  std::fill(chunkEnds_.begin(), chunkEnds_.end(), 0);
  for (const std::uint64_t offset : out) ++chunkEnds_[offset >> ChunkShift];
  std::uint32_t start = 0;
  for (std::uint32_t& count : chunkEnds_) start += std::exchange(count, start);
  for (std::uint32_t i = 0; i < out.size(); ++i) slots_[chunkEnds_[out[i] >> ChunkShift]++] = i;
}

void CopiedPositionBytes::PlanRuns(std::span<const std::uint64_t> out) {
  runs_.clear();
  std::size_t chunk = 0;
  std::uint32_t first = 0;
  while (first < out.size()) {
    while (chunkEnds_[chunk] == first) ++chunk;
    const std::size_t last = RunEnd(chunk);
    const std::uint32_t end = chunkEnds_[last];
    // From the lowest byte of the first chunk's positions to the last byte
    // of the last chunk's, which may lie past that chunk's end.
    std::int64_t begin = std::numeric_limits<std::int64_t>::max();
    for (std::uint32_t slot = first; slot < chunkEnds_[chunk]; ++slot)
      begin = std::min(begin, static_cast<std::int64_t>(out[slots_[slot]]));
    std::int64_t stop = 0;
    for (std::uint32_t slot = last == chunk ? first : chunkEnds_[last - 1]; slot < end; ++slot)
      stop = std::max(stop, static_cast<std::int64_t>(out[slots_[slot]]) + width_);
    runs_.push_back(Run{first, end, begin, std::min(stop, span_)});
    first = end;
    chunk = last + 1;
  }
}

std::size_t CopiedPositionBytes::RunEnd(std::size_t first) const {
  std::size_t last = first;
  while (last + 1 < chunkEnds_.size() && chunkEnds_[last + 1] != chunkEnds_[last] &&
         static_cast<std::int64_t>(last + 2 - first) * ChunkBytes <= ReadBytes)
    ++last;
  return last;
}

void CopiedPositionBytes::CopyRun(const Run& run, std::span<std::uint64_t> out) {
  pixels_.Reader()->Copy(pixels_.Lowest() + run.begin,
                         std::span(buffer_.data(), static_cast<std::size_t>(run.end - run.begin)));
  const std::uint64_t mask = width_ >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << 8 * width_) - 1;
  for (std::uint32_t slot = run.first; slot < run.last; ++slot) {
    std::uint64_t& position = out[slots_[slot]];
    std::uint64_t bytes;
    std::memcpy(&bytes, buffer_.data() + (static_cast<std::int64_t>(position) - run.begin), 8);
    position = bytes & mask;
  }
}

}  // namespace hushlake
