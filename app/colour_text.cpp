#include "app/colour_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace hushlake {
namespace {

struct NamedColour {
  std::string_view name;
  BgrColour value;
};

// The standard colours with names, in the order the names are looked up.
constexpr std::array<NamedColour, 20> kNamedColours{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

constexpr BgrColour kLargestColour = 0xFFFFFF;

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::optional<BgrColour> ParseNumber(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size() || value > kLargestColour)
    return std::nullopt;
  return static_cast<BgrColour>(value);
}

}  // namespace

std::string ColourToText(BgrColour colour) {
  for (const NamedColour& named : kNamedColours) {
    if (named.value == colour) return std::string(named.name);
  }
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "$%08X", static_cast<unsigned>(colour));
  return text.data();
}

std::optional<BgrColour> ColourFromText(std::string_view text) {
  for (const NamedColour& named : kNamedColours) {
    if (SameLetters(named.name, text)) return named.value;
  }
  if (text.starts_with('$')) return ParseNumber(text.substr(1), 16);
  if (text.starts_with("0x") || text.starts_with("0X")) return ParseNumber(text.substr(2), 16);
  return ParseNumber(text, 10);
}

}  // namespace hushlake
