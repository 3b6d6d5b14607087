// UU and XX coding: lines of up to 45 bytes, each led by a length symbol.
// The two formats differ only in their alphabets.
#include <array>

#include "crypto/exceptions.h"
#include "crypto/string_format.h"

namespace hushlake {

namespace {

constexpr int LineBytes = 45;
constexpr int SymbolCount = 64;

constexpr std::string_view UUAlphabet =
    "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ \t\n\r";
constexpr std::string_view XXAlphabet =
    "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz \"()[]'\t\n\r";
static_assert(UUAlphabet.size() == 68 && XXAlphabet.size() == 74);

// Index of a character among the 64 symbols, -1 for the skipped characters,
// -2 for characters outside the whole alphabet.
std::array<int, 256> SymbolIndexTable(std::string_view alphabet) {
  std::array<int, 256> table{};
  table.fill(-2);
  for (std::size_t i = 0; i < alphabet.size(); ++i)
    table[static_cast<unsigned char>(alphabet[i])] = i < SymbolCount ? static_cast<int>(i) : -1;
  return table;
}

std::string UUFromBinary(const TStringFormatClass& self, std::string_view data) {
  const char* symbols = self.alphabet.data();
  std::string out;
  out.reserve(data.size() / 3 * 4 + data.size() / LineBytes + 8);
  const auto* in = reinterpret_cast<const unsigned char*>(data.data());
  std::size_t pos = 0;
  while (pos < data.size()) {
    const std::size_t line = std::min<std::size_t>(LineBytes, data.size() - pos);
    out += symbols[line];
    for (std::size_t k = 0; k < line; k += 3) {
      std::uint32_t group = 0;
      for (std::size_t b = 0; b < 3; ++b)
        group = (group << 8) | (k + b < line ? in[pos + k + b] : 0u);
      out += symbols[group >> 18];
      out += symbols[(group >> 12) & 63];
      out += symbols[(group >> 6) & 63];
      out += symbols[group & 63];
    }
    pos += line;
  }
  return out;
}

bool UUAccepts(const TStringFormatClass& self, std::string_view data, bool forDecoding) {
  if (!forDecoding) return true;
  const auto index = SymbolIndexTable(self.alphabet);
  int expected = 0;
  for (unsigned char c : data) {
    const int i = index[c];
    if (i == -2) return false;
    if (expected > 0) {
      if (i >= 0) --expected;
      continue;
    }
    if (i < 0 || i > LineBytes) return false;
    expected = (4 * i + 2) / 3;
  }
  return expected == 0;
}

ByteString UUToBinary(const TStringFormatClass& self, std::string_view text) {
  const auto index = SymbolIndexTable(self.alphabet);
  ByteString out;
  std::size_t pos = 0;
  auto nextSymbol = [&]() -> std::uint32_t {
    // A missing symbol at the very end counts as zero bits.
    while (pos < text.size()) {
      const int i = index[static_cast<unsigned char>(text[pos++])];
      if (i >= 0) return static_cast<std::uint32_t>(i);
    }
    return 0;
  };
  while (pos < text.size()) {
    const int length = index[static_cast<unsigned char>(text[pos++])];
    if (length < 0 || length > LineBytes)
      throw EStringFormat(
          FillMessage("Input is not an valid %s Format.", {std::string(self.displayName)}));
    for (int remaining = length; remaining > 0; remaining -= 3) {
      std::uint32_t group = 0;
      for (int s = 0; s < 4; ++s) group = (group << 6) | nextSymbol();
      const char bytes[3] = {static_cast<char>(group >> 16), static_cast<char>(group >> 8),
                             static_cast<char>(group)};
      out.append(bytes, static_cast<std::size_t>(std::min(remaining, 3)));
    }
  }
  return out;
}

}  // namespace

const TStringFormatClass TStringFormat_UU = {
    "TStringFormat_UU", FormatUU, "UU Coding", UUAlphabet, UUToBinary, UUFromBinary, UUAccepts};
const TStringFormatClass TStringFormat_XX = {
    "TStringFormat_XX", FormatXX, "XX Coding", XXAlphabet, UUToBinary, UUFromBinary, UUAccepts};

}  // namespace hushlake
