// Hexadecimal and MIME base 64: the byte-oriented formats that share the
// hexadecimal acceptance rule (every character must be in the alphabet).
#include <algorithm>
#include <array>

#include "crypto/string_format.h"

namespace hushlake {

namespace {

constexpr std::string_view HexAlphabet = "0123456789ABCDEFX$ abcdefhHx()[]{},;:-_/\\*+\"'\t\n\r";
constexpr std::string_view HexLowerAlphabet =
    "0123456789abcdefX$ ABCDEFhHx()[]{},;:-_/\\*+\"'\t\n\r";
constexpr std::string_view Mime64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="
    " $()[]{},;:-_\\*\"'\t\n\r";
static_assert(HexAlphabet.size() == 48 && HexLowerAlphabet.size() == 48);
static_assert(Mime64Alphabet.size() == 85);

bool HexAccepts(const TStringFormatClass& self, std::string_view data, bool forDecoding) {
  return !forDecoding || AllInAlphabet(self.alphabet, data);
}

std::string HexFromBinary(const TStringFormatClass& self, std::string_view data) {
  std::string out(data.size() * 2, '\0');
  const char* digits = self.alphabet.data();
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    out[2 * i] = digits[byte >> 4];
    out[2 * i + 1] = digits[byte & 15];
  }
  return out;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

ByteString HexToBinary(const TStringFormatClass&, std::string_view text) {
  ByteString out;
  out.reserve(text.size() / 2);
  int high = -1;
  bool restartSeen = false;
  for (char c : text) {
    if (c == 'X' || c == 'x' || c == '$') {
      // The first prefix marker throws away what came before it (0x, $).
      if (!restartSeen) {
        restartSeen = true;
        out.clear();
        high = -1;
      }
      continue;
    }
    const int value = HexDigitValue(c);
    if (value < 0) continue;
    if (high < 0) {
      high = value;
    } else {
      out.push_back(static_cast<char>((high << 4) | value));
      high = -1;
    }
  }
  return out;
}

constexpr std::array<signed char, 256> MakeMimeDecodeTable() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = -1;
  for (std::size_t i = 0; i < 65; ++i)
    table[static_cast<unsigned char>(Mime64Alphabet[i])] = static_cast<signed char>(i);
  return table;
}
constexpr auto MimeDecodeTable = MakeMimeDecodeTable();
constexpr int MimePad = 64;

// Symbol values already shifted to their place in a 24-bit group; anything
// that is not one of the 64 data symbols sets the top byte.
constexpr std::uint32_t NotData = 0xFF000000u;
constexpr std::array<std::uint32_t, 256> MakeShiftedTable(int shift) {
  std::array<std::uint32_t, 256> table{};
  for (std::size_t c = 0; c < 256; ++c) {
    const int value = MimeDecodeTable[c];
    table[c] =
        (value < 0 || value == MimePad) ? NotData : static_cast<std::uint32_t>(value) << shift;
  }
  return table;
}
constexpr auto MimeShift18 = MakeShiftedTable(18);
constexpr auto MimeShift12 = MakeShiftedTable(12);
constexpr auto MimeShift6 = MakeShiftedTable(6);
constexpr auto MimeShift0 = MakeShiftedTable(0);

std::string Mime64FromBinary(const TStringFormatClass& self, std::string_view data) {
  const char* symbols = self.alphabet.data();
  const auto* in = reinterpret_cast<const unsigned char*>(data.data());
  const std::size_t n = data.size();
  std::string out(4 * ((n + 2) / 3), '=');
  char* o = out.data();
  std::size_t i = 0;
  for (; i + 3 <= n; i += 3, o += 4) {
    const std::uint32_t group =
        (std::uint32_t{in[i]} << 16) | (std::uint32_t{in[i + 1]} << 8) | in[i + 2];
    o[0] = symbols[group >> 18];
    o[1] = symbols[(group >> 12) & 63];
    o[2] = symbols[(group >> 6) & 63];
    o[3] = symbols[group & 63];
  }
  if (const std::size_t rest = n - i; rest > 0) {
    std::uint32_t group = std::uint32_t{in[i]} << 16;
    if (rest == 2) group |= std::uint32_t{in[i + 1]} << 8;
    o[0] = symbols[group >> 18];
    o[1] = symbols[(group >> 12) & 63];
    if (rest == 2) o[2] = symbols[(group >> 6) & 63];
  }
  return out;
}

// Writes the three bytes of one group of four symbol values ('=' counts as 0).
inline void PutMimeGroup(char* out, const int (&values)[4]) {
  std::uint32_t group = 0;
  for (int v : values) group = (group << 6) | static_cast<std::uint32_t>(v & 63);
  out[0] = static_cast<char>(group >> 16);
  out[1] = static_cast<char>(group >> 8);
  out[2] = static_cast<char>(group);
}

ByteString Mime64ToBinary(const TStringFormatClass&, std::string_view text) {
  ByteString out(text.size() / 4 * 3 + 3, '\0');
  char* o = out.data();
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  int values[4];
  int filled = 0;
  int pads = 0;
  while (i < n) {
    // Fast path: four plain symbols in a row, the common case.
    if (filled == 0) {
      bool slow = false;
      while (i + 4 <= n) {
        const std::uint32_t group = MimeShift18[in[i]] | MimeShift12[in[i + 1]] |
                                    MimeShift6[in[i + 2]] | MimeShift0[in[i + 3]];
        if (group & NotData) {
          slow = true;
          break;
        }
        o[0] = static_cast<char>(group >> 16);
        o[1] = static_cast<char>(group >> 8);
        o[2] = static_cast<char>(group);
        o += 3;
        i += 4;
        pads = 0;
      }
      if (!slow && i >= n) break;
    }
    const int value = MimeDecodeTable[in[i++]];
    if (value < 0) continue;
    if (filled == 0) pads = 0;
    values[filled++] = value;
    if (value == MimePad) ++pads;
    if (filled == 4) {
      PutMimeGroup(o, values);
      o += 3;
      filled = 0;
    }
  }
  if (filled > 0) {
    for (int k = filled; k < 4; ++k, ++pads) values[k] = MimePad;
    PutMimeGroup(o, values);
    o += 3;
  }
  // Only the last group is shortened by its padding characters.
  std::size_t length = static_cast<std::size_t>(o - out.data());
  length -= std::min<std::size_t>(static_cast<std::size_t>(pads), std::min<std::size_t>(length, 3));
  out.resize(length);
  return out;
}

}  // namespace

const TStringFormatClass TStringFormat_HEX = {"TStringFormat_HEX", FormatHEX,   "Hexadecimal",
                                              HexAlphabet,         HexToBinary, HexFromBinary,
                                              HexAccepts};
const TStringFormatClass TStringFormat_HEXL = {
    "TStringFormat_HEXL", FormatHEXL, "Hexadecimal lowercase", HexLowerAlphabet, HexToBinary,
    HexFromBinary,        HexAccepts};
const TStringFormatClass TStringFormat_MIME64 = {
    "TStringFormat_MIME64", FormatMIME64,     "MIME Base 64", Mime64Alphabet,
    Mime64ToBinary,         Mime64FromBinary, HexAccepts};

}  // namespace hushlake
