#pragma once
// The colour neighbourhoods of an 8-bit palette. Row c of the pair table
// lists the palette indices by increasing colour distance from c, with c
// itself first; a symbol digit n is stored as the n-th neighbour. Writer and
// reader build the table from the same palette, so every tie rule below is
// part of the stored format.
#include <array>
#include <cstdint>
#include <memory>

#include "stego/picture.h"
#include "stego/random_source.h"

namespace hushlake {

// 29((dR)^2 + R1 + R2) + 30((dG)^2 + G1 + G2) + 31((dB)^2 + B1 + B2).
constexpr std::uint32_t ColourDistance(const PaletteEntry& a, const PaletteEntry& b) {
  const auto term = [](int weight, int x, int y) { return weight * ((x - y) * (x - y) + x + y); };
  return static_cast<std::uint32_t>(term(29, a.red, b.red) + term(30, a.green, b.green) +
                                    term(31, a.blue, b.blue));
}

// Distances from this value on are never sorted: such columns stay where the
// build left them.
inline constexpr std::uint32_t PairSortLimit = 1000000;

class PairTable {
 public:
  explicit PairTable(const Palette& palette);

  // The palette index in row Centre, column Column (both 0 .. 255).
  std::uint8_t At(std::uint8_t centre, std::uint8_t column) const {
    return entries_[centre * 256u + column];
  }
  // The column of Value in row Centre; every row is a permutation.
  std::uint8_t IndexOf(std::uint8_t centre, std::uint8_t value) const {
    return columns_[centre * 256u + value];
  }

 private:
  void BuildRow(const Palette& palette, int centre);

  // Every row is written whole by BuildRow, so nothing is cleared first.
  std::unique_ptr<std::uint8_t[]> entries_;  // 256 rows of 256 columns
  std::unique_ptr<std::uint8_t[]> columns_;  // the inverse of each row
};

// The palette preparation of 8-bit Encrypt: while two entries share red,
// green and blue, the later one of each pair is moved by (j mod 5) plus a
// fresh draw of 0 .. 2 per channel, towards the middle of the range, after
// reseeding Random from its clock. Flags are neither compared nor
// changed. Returns the number of passes made.
int MakePaletteDistinct(Palette& palette, RandomSource& random);

}  // namespace hushlake
