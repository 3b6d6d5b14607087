#include "app/key_case.h"

#include <cstdint>

namespace hushlake {

namespace {

char32_t LowerCodePoint(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;  // Y with diaeresis: its small form is in Latin-1
  // Latin Extended-A pairs capital and small: capitals at odd codes in two
  // runs, at even codes elsewhere; dotted I, kra and n with apostrophe have no pair.
  const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (oddCapitals) return c % 2 == 1 ? c + 1 : c;
  const bool evenCapitals = c >= 0x100 && c <= 0x177 && c != 0x130 && c != 0x138 && c != 0x149;
  if (evenCapitals) return c % 2 == 0 ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;  // Greek
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;  // Cyrillic
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}

// The length of the valid UTF-8 sequence at Text's start (1 to 4), or 0.
std::size_t SequenceLength(std::string_view text, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || text.size() < length) return 0;
  codePoint = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string LowerCaseKeyText(std::string_view utf8) {
  std::string lowered;
  // Lowering never lengthens a character here, so the key is never reallocated.
  lowered.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = SequenceLength(utf8, codePoint);
    if (length == 0) {
      lowered += utf8.front();
      utf8.remove_prefix(1);
      continue;
    }
    AppendUtf8(lowered, LowerCodePoint(codePoint));
    utf8.remove_prefix(length);
  }
  return lowered;
}

}  // namespace hushlake
