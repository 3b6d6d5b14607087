#pragma once
// What an 8-bit Encrypt does to a picture: a palette without two equal
// colours, and every symbol's digits in the pixels around its position.
#include <cstdint>
#include <span>

#include "stego/pair_table.h"
#include "stego/pixel_changes.h"

namespace hushlake {

class PaletteChanges : public PixelChanges {
 public:
  // Palette is the distinct one the picture gets; Symbols go to Order's
  // positions in turn, in a picture of Height rows.
  PaletteChanges(int height, const Palette& palette, const PositionOrder& order,
                 std::span<const std::uint8_t> symbols);

  void Apply(const RowBand& band) const override;
  const Palette* NewPalette() const override { return &palette_; }

 private:
  struct Placement {
    std::uint32_t row;
    std::uint32_t column;  // of the middle pixel
    std::uint8_t symbol;
    int Row() const { return static_cast<int>(row); }
  };

  Palette palette_;
  PairTable pairs_;
  RowPlacements<Placement> placements_;
};

}  // namespace hushlake
