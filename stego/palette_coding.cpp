#include "stego/palette_coding.h"

#include <array>

namespace hushlake {

namespace {

constexpr std::string_view PunctuationRun = ",'.\n\r ?!:-";  // symbols 38 .. 47

constexpr SymbolAlphabet MakePaletteAlphabet() {
  SymbolAlphabet alphabet{};
  for (char& c : alphabet.decode) c = ' ';
  const auto assign = [&](char c, int symbol) {
    alphabet.encode[static_cast<std::uint8_t>(c)] = static_cast<std::uint8_t>(symbol);
    alphabet.decode[symbol] = c;
  };
  for (int i = 0; i < 26; ++i) assign(static_cast<char>('a' + i), 1 + i);
  assign('/', 27);
  for (int i = 0; i < 10; ++i) assign(static_cast<char>('0' + i), 28 + i);
  for (std::size_t i = 0; i < PunctuationRun.size(); ++i)
    assign(PunctuationRun[i], 38 + static_cast<int>(i));
  alphabet.decode[49] = '|';
  alphabet.separatorSymbol = 49;
  alphabet.endSymbol = 48;
  alphabet.decodedSeparator = '|';
  return alphabet;
}

constexpr std::array<std::uint8_t, 256> MakeAnsiLowerTable() {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<std::uint8_t>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<std::uint8_t>(c + 32);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) table[c] = static_cast<std::uint8_t>(c + 32);  // not the multiplication sign
  table[0x8A] = 0x9A;                                             // S caron
  table[0x8C] = 0x9C;                                             // OE
  table[0x8E] = 0x9E;                                             // Z caron
  table[0x9F] = 0xFF;                                             // Y diaeresis
  return table;
}

constexpr std::array<std::uint8_t, 256> AnsiLower = MakeAnsiLowerTable();

}  // namespace

const SymbolAlphabet PaletteAlphabet = MakePaletteAlphabet();

void LowerCaseAnsiInPlace(std::span<char> text) {
  for (char& c : text) c = static_cast<char>(AnsiLower[static_cast<std::uint8_t>(c)]);
}

std::string LowerCaseAnsi(std::string_view text) {
  std::string lowered(text);
  LowerCaseAnsiInPlace(lowered);
  return lowered;
}

std::string ReduceText(std::string_view text) {
  std::string reduced;
  reduced.reserve(text.size());
  for (char c : LowerCaseAnsi(text))
    if (c != ' ' || reduced.empty() || reduced.back() != ' ') reduced.push_back(c);
  return reduced;
}

}  // namespace hushlake
