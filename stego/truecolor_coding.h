#pragma once
// Coding of 24- and 32-bit pictures: a symbol (0 .. 255) is spread as four
// base-4 digits over the two low bits of four of the six bytes at offsets
// 3x .. 3x + 5 of its row. Which four, and in which order, is chosen per
// symbol by the key and a running counter. 32-bit rows are addressed with the
// same byte arithmetic, whatever pixel and channel the bytes belong to.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "stego/symbol_stream.h"

namespace hushlake {

// Printable characters 32..126 -> 0..94, line feed 95, carriage return 96,
// separator 97, end marker 98, anything else as a space.
extern const SymbolAlphabet TrueColorAlphabet;

// Byte offsets (relative to 3x) of the least to the most significant digit.
using ChannelQuad = std::array<std::uint8_t, 4>;
// All ordered quadruples of distinct values 0..5, in lexicographic order.
inline constexpr std::size_t ChannelTableSize = 360;
extern const std::array<ChannelQuad, ChannelTableSize> ChannelTable;

// The running choice state: KeyIndex cycles over all key characters but the
// last, Counter advances by 47 and wraps back to 1 past 5000000 (every 106383
// symbols). Writer and reader step it once per symbol in position order.
class ChannelChooser {
 public:
  explicit ChannelChooser(std::string_view key);
  ChannelQuad Next() { return ChannelTable[NextIndex()]; }
  // The same choice as its place in ChannelTable.
  std::uint16_t NextIndex();

  std::int32_t KeyIndex() const { return keyIndex_; }
  std::int32_t Counter() const { return counter_; }

 private:
  std::string_view key_;
  std::int32_t keyLength_;
  std::int32_t keyIndex_ = 1;
  std::int32_t counter_ = 1;
};

inline void WriteTrueColorSymbol(std::uint8_t* sixBytes, ChannelQuad quad, std::uint8_t symbol) {
  for (int digit = 0; digit < 4; ++digit) {
    std::uint8_t& byte = sixBytes[quad[digit]];
    byte = static_cast<std::uint8_t>((byte & 0xFC) | ((symbol >> (2 * digit)) & 3));
  }
}

inline std::uint8_t ReadTrueColorSymbol(const std::uint8_t* sixBytes, ChannelQuad quad) {
  unsigned symbol = 0;
  for (int digit = 3; digit >= 0; --digit) symbol = symbol * 4 + (sixBytes[quad[digit]] & 3u);
  return static_cast<std::uint8_t>(symbol);
}

// The same from the six bytes packed into one value, the first byte lowest.
inline std::uint8_t ReadTrueColorSymbol(std::uint64_t sixBytes, ChannelQuad quad) {
  unsigned symbol = 0;
  for (int digit = 3; digit >= 0; --digit)
    symbol = symbol * 4 + static_cast<unsigned>((sixBytes >> (8 * quad[digit])) & 3u);
  return static_cast<std::uint8_t>(symbol);
}

}  // namespace hushlake
