#pragma once
// Coding of 8-bit palettised pictures: the text is reduced to a 50-symbol
// alphabet, and each symbol v is stored as two base-7 digits in the palette
// indices of the pixels left (v mod 7) and right (v div 7) of a position,
// digit n being the n-th nearest colour to the middle pixel's, which itself
// never changes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "stego/pair_table.h"
#include "stego/symbol_stream.h"

namespace hushlake {

// Letters 1..26, "/" 27, digits 28..37, then , ' . LF CR space ? ! : - as
// 38..47, end marker 48, separator 49, everything else 0 (read as a space).
extern const SymbolAlphabet PaletteAlphabet;

// Lower case under the single-byte Western (Windows-1252) mapping, so accented
// capitals are lowered too.
std::string LowerCaseAnsi(std::string_view text);
void LowerCaseAnsiInPlace(std::span<char> text);

// Lower case, then every run of spaces down to one space.
std::string ReduceText(std::string_view text);

// Row Row of the picture: the pixels at Column - 1 and Column + 1 take the
// digits of Symbol around the middle pixel at Column.
inline void WritePaletteSymbol(std::uint8_t* row, std::int64_t column, const PairTable& pairs,
                               std::uint8_t symbol) {
  const std::uint8_t centre = row[column];
  row[column + 1] = pairs.At(centre, static_cast<std::uint8_t>(symbol / 7));
  row[column - 1] = pairs.At(centre, static_cast<std::uint8_t>(symbol % 7));
}

inline std::uint8_t ReadPaletteSymbol(const std::uint8_t* row, std::int64_t column,
                                      const PairTable& pairs) {
  const std::uint8_t centre = row[column];
  const unsigned value =
      7u * pairs.IndexOf(centre, row[column + 1]) + pairs.IndexOf(centre, row[column - 1]);
  return value > 255 ? 0 : static_cast<std::uint8_t>(value);
}

}  // namespace hushlake
