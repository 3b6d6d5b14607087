#include "app/utf8.h"

#include <algorithm>

namespace hushlake {

std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
  if (text.empty()) return 0;
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
  char32_t decoded = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuationByte(text[i])) return 0;
    decoded = decoded << 6 | (byte(i) & 0x3F);
  }
  constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (decoded < Smallest[length] || decoded > 0x10FFFF || (decoded >= 0xD800 && decoded <= 0xDFFF))
    return 0;
  codePoint = decoded;
  return length;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    char32_t codePoint = 0;
    const std::size_t length = DecodeUtf8(bytes, codePoint);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

std::int64_t CharacterCount(std::string_view utf8) {
  return std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuationByte(c); });
}

std::size_t CharacterBoundary(std::string_view utf8, std::size_t at) {
  std::size_t cut = std::min(at, utf8.size());
  while (cut > 0 && cut < utf8.size() && IsContinuationByte(utf8[cut])) --cut;
  return cut;
}

}  // namespace hushlake
