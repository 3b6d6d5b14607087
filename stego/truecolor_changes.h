#pragma once
// What a 24- or 32-bit Encrypt does to the pixels, worked out before any
// pixel is touched: the noise pass and every symbol's bytes, sorted by row.
// The changes can then be made to a whole picture in memory, or band by band
// to rows passing from a source file to the new one, with the same result
// either way: no picture-sized buffer is needed to encrypt a file.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "crypto/secret.h"
#include "stego/noise_pass.h"
#include "stego/picture.h"
#include "stego/position_order.h"
#include "stego/row_band.h"

namespace hushlake {

class TrueColorChanges {
 public:
  // Width and Height are the even-sized picture's that Order was made for;
  // Symbols go to Order's positions in turn, the channels chosen by Key;
  // the noise starts from NoiseState.
  TrueColorChanges(int width, int height, PixelFormat format, const PositionOrder& order,
                   std::string_view key, std::span<const std::uint8_t> symbols,
                   std::uint32_t noiseState);

  // Makes the changes of the band's rows (which must lie inside the
  // picture). Every row changed exactly once gives Encrypt's picture.
  void Apply(const RowBand& band) const;
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
  std::vector<std::uint32_t> rowStart_;  // placements of row y: [rowStart_[y], rowStart_[y + 1])
  // The symbols are the hidden text's: wiped when freed.
  std::vector<Placement, WipingAllocator<Placement>> placements_;
};

}  // namespace hushlake
