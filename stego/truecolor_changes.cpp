#include "stego/truecolor_changes.h"

#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

// 24/32-bit positions address three bytes per column, whatever the depth.
constexpr std::int64_t BytesPerColumn = 3;

}  // namespace

TrueColorChanges::TrueColorChanges(int width, int height, PixelFormat format,
                                   const PositionOrder& order, std::string_view key,
                                   std::span<const std::uint8_t> symbols, std::uint32_t noiseState)
    : height_(height),
      noise_(width,
             static_cast<std::size_t>(width) * static_cast<std::size_t>(BytesPerPixelOf(format)),
             noiseState),
      placements_(
          order, height, CheckedSymbolCount(order, symbols.size()),
          [chooser = ChannelChooser(key), next = symbols.begin()](PixelPosition position) mutable {
            return Placement(position.row, position.column * BytesPerColumn, chooser.NextIndex(),
                             *next++);
          }) {}

void TrueColorChanges::Apply(const RowBand& band) const {
  CheckBandInside(band, height_);
  noise_.Apply(band);
  placements_.ForEachInRows(band.firstRow, band.EndRow(), [&band](const Placement& placement) {
    WriteTrueColorSymbol(band.Row(placement.Row()) + placement.FirstByte(),
                         ChannelTable[placement.Channels()], placement.Symbol());
  });
}

}  // namespace hushlake
