#include "stego/capacity.h"

#include <algorithm>
#include <climits>

#include "stego/position_order.h"

namespace hushlake {

int ColumnStepOf(PixelFormat format) { return format == PixelFormat::Indexed8 ? 3 : 2; }

std::int64_t StreamPositions(const PictureShape& shape) {
  const std::int64_t width = shape.width & ~1;
  const std::int64_t height = shape.height & ~1;
  return PositionOrder(width, height, ColumnStepOf(shape.format), "").Count();
}

std::int64_t LongestStoredText(const PictureShape& shape, std::int64_t keyLength) {
  return std::max<std::int64_t>(0, StreamPositions(shape) - SymbolsNeeded(0, keyLength));
}

int EditorCapacity(const PictureShape& shape) {
  const auto capacity =
      (static_cast<std::int64_t>(shape.width) - 2) * shape.height / ColumnStepOf(shape.format);
  return static_cast<int>(std::clamp<std::int64_t>(capacity, 0, INT_MAX));
}

}  // namespace hushlake
