#include "app/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/utf8.h"
#include "crypto/secret.h"

namespace hushlake {

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char32_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Windows1252CodePoint(unsigned char b) {
  if (b < 0x80 || b > 0x9F || Cp1252High[b - 0x80] == 0) return b;
  return Cp1252High[b - 0x80];
}

// Decodes one UTF-8 sequence at Pos; returns false (and moves one byte) on
// anything malformed.
bool NextCodePoint(std::string_view s, std::size_t& pos, char32_t& cp) {
  const std::size_t length = DecodeUtf8(s.substr(pos), cp);
  pos += length == 0 ? 1 : length;
  return length != 0;
}

char ToWindows1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < Cp1252High.size(); ++i)
    if (Cp1252High[i] != 0 && Cp1252High[i] == cp) return static_cast<char>(0x80 + i);
  return Unmappable;
}

}  // namespace

// Text and keys pass through these conversions: every output is sized once,
// up front, so growing never leaves a copy of the first part in freed memory.
std::size_t LineBreakCount(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r') +
                                  std::count(text.begin(), text.end(), '\n'));
}

std::string WithCrLfLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + LineBreakCount(text));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string TextFileToEditorText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return CipherBytesToEditorText(bytes);
}

std::string EditorTextToTextFile(std::string_view utf8) { return WithCrLfLineBreaks(utf8); }

std::string EditorTextToCipherBytes(std::string_view utf8) { return WithCrLfLineBreaks(utf8); }

std::string CipherBytesToEditorText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Windows1252ToEditorText(bytes);
}

std::string EditorTextToWindows1252(std::string_view utf8) {
  std::string text = WithCrLfLineBreaks(utf8);
  const ScrubOnExit scrubText(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  char32_t cp;
  while (pos < text.size())
    out += NextCodePoint(text, pos, cp) ? ToWindows1252Byte(cp) : Unmappable;
  return out;
}

std::string Windows1252ToEditorText(std::string_view bytes) {
  std::size_t size = 0;
  for (unsigned char b : bytes) size += Utf8Size(Windows1252CodePoint(b));
  std::string out;
  out.reserve(size);
  for (unsigned char b : bytes) AppendUtf8(out, Windows1252CodePoint(b));
  return out;
}

std::string WithLocalLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace hushlake
