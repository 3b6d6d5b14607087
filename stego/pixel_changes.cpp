#include "stego/pixel_changes.h"

#include <stdexcept>

namespace hushlake {

void CheckBandInside(const RowBand& band, int height) {
  if (band.firstRow < 0 || band.rowCount < 0 || band.EndRow() > height)
    throw std::logic_error("pixel changes: rows outside the picture");
}

std::size_t CheckedSymbolCount(const PositionOrder& order, std::size_t count) {
  if (static_cast<std::int64_t>(count) > order.Count())
    throw std::logic_error("pixel changes: more symbols than positions");
  return count;
}

}  // namespace hushlake
