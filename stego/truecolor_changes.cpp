#include "stego/truecolor_changes.h"

#include <stdexcept>

#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

// 24/32-bit positions address three bytes per column, whatever the depth.
constexpr std::uint32_t BytesPerColumn = 3;

}  // namespace

// A counting sort by row: one walk of the order counts each row's symbols,
// a second one stores them, so no list of positions is ever sorted or kept.
TrueColorChanges::TrueColorChanges(int width, int height, PixelFormat format,
                                   const PositionOrder& order, std::string_view key,
                                   std::span<const std::uint8_t> symbols, std::uint32_t noiseState)
    : height_(height),
      noise_(width, static_cast<std::size_t>(width) * (format == PixelFormat::Bgrx32 ? 4 : 3),
             noiseState),
      rowStart_(static_cast<std::size_t>(height) + 1, 0),
      placements_(symbols.size()) {
  if (static_cast<std::int64_t>(symbols.size()) > order.Count())
    throw std::logic_error("TrueColorChanges: more symbols than positions");
  PositionOrder::Cursor cursor = order.Begin();
  for (std::size_t i = 0; i < symbols.size(); ++i, ++cursor)
    ++rowStart_[static_cast<std::size_t>((*cursor).row) + 1];
  for (std::size_t y = 1; y < rowStart_.size(); ++y) rowStart_[y] += rowStart_[y - 1];
  std::vector<std::uint32_t> next(rowStart_.begin(), rowStart_.end() - 1);
  ChannelChooser chooser(key);
  cursor = order.Begin();
  for (const std::uint8_t symbol : symbols) {
    const PixelPosition position = *cursor;
    placements_[next[static_cast<std::size_t>(position.row)]++] = {
        static_cast<std::uint32_t>(position.column) * BytesPerColumn, chooser.NextIndex(), symbol};
    ++cursor;
  }
}

void TrueColorChanges::Apply(const RowBand& band) const {
  if (band.firstRow < 0 || band.EndRow() > height_)
    throw std::logic_error("TrueColorChanges: rows outside the picture");
  noise_.Apply(band);
  for (int y = band.firstRow; y < band.EndRow(); ++y) {
    std::uint8_t* row = band.Row(y);
    const auto rowIndex = static_cast<std::size_t>(y);
    for (std::uint32_t i = rowStart_[rowIndex]; i < rowStart_[rowIndex + 1]; ++i) {
      const Placement& placement = placements_[i];
      WriteTrueColorSymbol(row + placement.firstByte, ChannelTable[placement.channels],
                           placement.symbol);
    }
  }
}

}  // namespace hushlake
