#pragma once
// What a 24- or 32-bit Encrypt does to the pixels: the noise pass and every
// symbol's bytes, sorted by row.
#include <cstdint>
#include <span>
#include <string_view>

#include "stego/noise_pass.h"
#include "stego/picture.h"
#include "stego/pixel_changes.h"
#include "stego/position_order.h"
#include "stego/row_band.h"

namespace hushlake {

class TrueColorChanges : public PixelChanges {
 public:
  // Width and Height are the even-sized picture's that Order was made for;
  // Symbols go to Order's positions in turn, the channels chosen by Key;
  // the noise starts from NoiseState.
  TrueColorChanges(int width, int height, PixelFormat format, const PositionOrder& order,
                   std::string_view key, std::span<const std::uint8_t> symbols,
                   std::uint32_t noiseState);

  void Apply(const RowBand& band) const override;
  // The random state the noise leaves behind, as AddNoise would.
  std::uint32_t NoiseStateAfter() const { return noise_.StateAfter(height_); }

 private:
  // One symbol: its row is implied by where it is stored.
  struct Placement {
    std::uint32_t firstByte;  // of the six, from the row's start
    std::uint16_t channels;   // index into ChannelTable
    std::uint8_t symbol;
  };

  int height_;
  NoiseRows noise_;
  RowPlacements<Placement> placements_;
};

}  // namespace hushlake
