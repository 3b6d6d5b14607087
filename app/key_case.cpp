#include "app/key_case.h"

#include <cstdint>

#include "app/utf8.h"

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

}  // namespace

std::string LowerCaseKeyText(std::string_view utf8) {
  std::string lowered;
  // Lowering never lengthens a character here, so the key is never reallocated.
  lowered.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = DecodeUtf8(utf8, codePoint);
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
