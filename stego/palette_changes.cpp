#include "stego/palette_changes.h"

#include "stego/palette_coding.h"

namespace hushlake {

PaletteChanges::PaletteChanges(int height, const Palette& palette, const PositionOrder& order,
                               std::span<const std::uint8_t> symbols)
    : palette_(palette),
      pairs_(palette),
      placements_(order, height, CheckedSymbolCount(order, symbols.size()),
                  [next = symbols.begin()](PixelPosition position) mutable {
                    return Placement{static_cast<std::uint32_t>(position.row),
                                     static_cast<std::uint32_t>(position.column), *next++};
                  }) {}

void PaletteChanges::Apply(const RowBand& band) const {
  CheckBandInside(band, placements_.Height());
  placements_.ForEachInRows(band.firstRow, band.EndRow(), [&](const Placement& placement) {
    WritePaletteSymbol(band.Row(placement.Row()), placement.column, pairs_, placement.symbol);
  });
}

}  // namespace hushlake
