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
  // One symbol in eight bytes: rows stay below 2^20 and a row's bytes
  // below 2^22; the channel choice is an index into ChannelTable.
  class Placement {
   public:
    Placement() = default;
    Placement(std::int64_t row, std::int64_t firstByte, std::uint16_t channels, std::uint8_t symbol)
        : bits_(static_cast<std::uint64_t>(row) << 39 |
                static_cast<std::uint64_t>(firstByte) << 17 | std::uint64_t{channels} << 8 |
                symbol) {}
    int Row() const { return static_cast<int>(bits_ >> 39); }
    std::size_t FirstByte() const { return (bits_ >> 17) & ((1u << 22) - 1); }  // of the six
    std::size_t Channels() const { return (bits_ >> 8) & 0x1FF; }
    std::uint8_t Symbol() const { return static_cast<std::uint8_t>(bits_); }

   private:
    std::uint64_t bits_ = 0;
  };

  int height_;
  NoiseRows noise_;
  RowPlacements<Placement> placements_;
};

}  // namespace hushlake
