#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

constexpr SymbolAlphabet MakeTrueColorAlphabet() {
  SymbolAlphabet alphabet{};
  for (int code = 0; code < 256; ++code) {
    std::uint8_t symbol = 0;
    if (code >= 32 && code <= 126) symbol = static_cast<std::uint8_t>(code - 32);
    if (code == '\n') symbol = 95;
    if (code == '\r') symbol = 96;
    alphabet.encode[code] = symbol;
  }
  for (int symbol = 0; symbol < 256; ++symbol) {
    char c = ' ';
    if (symbol <= 94) c = static_cast<char>(symbol + 32);
    if (symbol == 95) c = '\n';
    if (symbol == 96) c = '\r';
    if (symbol == 97) c = StreamSeparator;
    if (symbol == 98) c = StreamEnd;
    alphabet.decode[symbol] = c;
  }
  alphabet.separatorSymbol = 97;
  alphabet.endSymbol = 98;
  alphabet.decodedSeparator = StreamSeparator;
  return alphabet;
}

constexpr std::array<ChannelQuad, ChannelTableSize> MakeChannelTable() {
  std::array<ChannelQuad, ChannelTableSize> table{};
  std::size_t next = 0;
  for (std::uint8_t a = 0; a < 6; ++a)
    for (std::uint8_t b = 0; b < 6; ++b)
      for (std::uint8_t c = 0; c < 6; ++c)
        for (std::uint8_t d = 0; d < 6; ++d)
          if (a != b && a != c && a != d && b != c && b != d && c != d)
            table[next++] = {a, b, c, d};
  return table;
}

constexpr std::int32_t CounterStep = 47;
constexpr std::int32_t CounterLimit = 5000000;

}  // namespace

const SymbolAlphabet TrueColorAlphabet = MakeTrueColorAlphabet();
const std::array<ChannelQuad, ChannelTableSize> ChannelTable = MakeChannelTable();

ChannelChooser::ChannelChooser(std::string_view key)
    : key_(key), keyLength_(static_cast<std::int32_t>(key.size())) {}

std::uint16_t ChannelChooser::NextIndex() {
  if (keyIndex_ > keyLength_ - 1) keyIndex_ = 1;
  // An empty key has no first character to read; it counts as code 0.
  const std::uint32_t code =
      key_.empty() ? 0u : static_cast<std::uint8_t>(key_[static_cast<std::size_t>(keyIndex_ - 1)]);
  const std::size_t k = (code + static_cast<std::uint32_t>(counter_)) % ChannelTableSize;
  counter_ += CounterStep;
  if (counter_ > CounterLimit) counter_ = 1;
  ++keyIndex_;
  return static_cast<std::uint16_t>(k);
}

}  // namespace hushlake
