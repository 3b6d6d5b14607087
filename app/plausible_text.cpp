#include "app/plausible_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/text_encoding.h"
#include "crypto/secret.h"

namespace hushlake {

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
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xFFFE || c == 0xFFFF;
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

bool IsLetter(char32_t c) {
  if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
  return c == 0x0160 || c == 0x0161 || c == 0x0152 || c == 0x0153 || c == 0x017D || c == 0x017E ||
         c == 0x0178 || c > 0x024F;
}

bool IsBoundary(char32_t c) { return c == 0 || c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// The hidden text's characters: wiped when freed.
using CodePointList = std::vector<char32_t, WipingAllocator<char32_t>>;

CodePointList CodePoints(std::string_view text) {
  CodePointList points;
  points.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) points.push_back(Next(text, at));
  return points;
}

}  // namespace

bool LooksLikeText(std::string_view text) {
  // Plain ASCII has no accented letters or rare signs to weigh: only a
  // control character gives random bytes away.
  const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  if (std::all_of(text.begin(), text.end(), ascii))
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return IsControl(static_cast<unsigned char>(c)); });
  const CodePointList points = CodePoints(text);
  if (std::any_of(points.begin(), points.end(), IsControl)) return false;
  // Other scripts (Greek, Cyrillic, CJK...) cannot come from random bytes
  // read as Windows-1252, and there accented letters may be frequent.
  const bool windows1252Shaped = std::all_of(
      points.begin(), points.end(), [](char32_t c) { return c < 0x80 || IsWindows1252High(c); });
  if (!windows1252Shaped) return true;
  // Random bytes give about half accented letters and signs, which stand
  // beside anything; in a language an accented letter stands in a word (or
  // alone between spaces), and the rare signs stay rare.
  const auto count = static_cast<std::int64_t>(points.size());
  std::int64_t high = 0, odd = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const char32_t c = points[i];
    if (c < 0x80) continue;
    ++high;
    const char32_t before = i > 0 ? points[i - 1] : 0;
    const char32_t after = i + 1 < points.size() ? points[i + 1] : 0;
    if (Among(RareSigns, c)) {
      ++odd;
    } else if (IsLetter(c) && !IsLetter(before) && !IsLetter(after) &&
               !(IsBoundary(before) && IsBoundary(after))) {
      ++odd;
    }
  }
  return high <= std::max<std::int64_t>(3, count / 2) &&
         odd <= std::max<std::int64_t>(1, count / 20);
}

bool ReadsAsText(std::string_view editorText, Decoded decoded) {
  if (editorText.find('\0') != std::string_view::npos) return false;
  return decoded == Decoded::Utf8 || LooksLikeText(editorText);
}

bool BytesReadAsText(std::string_view deciphered) {
  if (deciphered.find('\0') != std::string_view::npos) return false;
  if (IsValidUtf8(deciphered)) return true;
  const SecretString shown = SecretString::Adopt(Windows1252ToEditorText(deciphered));
  return LooksLikeText(shown.View());
}

}  // namespace hushlake
