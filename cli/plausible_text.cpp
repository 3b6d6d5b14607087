#include "cli/plausible_text.h"

#include <algorithm>
#include <cstdint>

namespace hushlake::cli {

namespace {

// The code points of Windows-1252's bytes 0x80 to 0x9F that are characters.
constexpr char32_t Cp1252Specials[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018,
                                       0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
                                       0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};

// Signs of Windows-1252 that prose hardly ever uses, but random bytes shown
// as Windows-1252 give one in eight characters.
constexpr char32_t RareSigns[] = {0x0192, 0x2020, 0x2021, 0x02C6, 0x2030, 0x02DC, 0x00A4,
                                  0x00A6, 0x00A8, 0x00AC, 0x00AD, 0x00AF, 0x00B4, 0x00B5,
                                  0x00B6, 0x00B8, 0x00B9, 0x00B2, 0x00B3, 0x00BC, 0x00BD,
                                  0x00BE, 0x00D7, 0x00F7, 0x00AA, 0x00BA, 0x00A2, 0x00A5};

template <std::size_t N>
bool Among(const char32_t (&set)[N], char32_t c) {
  return std::find(std::begin(set), std::end(set), c) != std::end(set);
}

bool IsControl(char32_t c) {
  if (c == '\t' || c == '\n' || c == '\r' || c == '\f') return false;
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFD || c == 0xFFFE || c == 0xFFFF;
}

// A character a byte of 0x80 to 0xFF becomes in Windows-1252.
bool IsWindows1252High(char32_t c) { return (c >= 0xA0 && c <= 0xFF) || Among(Cp1252Specials, c); }

// The next code point of valid UTF-8 (the editor's text always is).
char32_t Next(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  const int length = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
  char32_t c = length == 0 ? lead : lead & (0x3F >> length);
  for (int i = 0; i < length && at < text.size(); ++i)
    c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  return c;
}

}  // namespace

bool LooksLikeText(std::string_view text) {
  std::int64_t characters = 0, high = 0, rare = 0;
  bool windows1252Shaped = true;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = Next(text, at);
    if (IsControl(c)) return false;
    ++characters;
    if (c < 0x80) continue;
    if (!IsWindows1252High(c)) {
      windows1252Shaped = false;
      continue;
    }
    ++high;
    if (Among(RareSigns, c)) ++rare;
  }
  // Other scripts (Greek, Cyrillic, CJK...) cannot come from random bytes
  // read as Windows-1252, and there accented letters may be frequent.
  if (!windows1252Shaped) return true;
  // Random bytes give about half accented letters and signs; languages
  // written in Windows-1252 give a few in a hundred, a short word two.
  return high <= std::max<std::int64_t>(3, characters / 3) &&
         rare <= std::max<std::int64_t>(1, characters / 25);
}

}  // namespace hushlake::cli
