#pragma once
// Colours as the settings store keeps them: the name of a standard colour
// ("clBlack") or "$" and eight hexadecimal digits of the value 0x00BBGGRR.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hushlake {

// A colour value as stored: blue in bits 16-23, green 8-15, red 0-7.
using BgrColour = std::uint32_t;

constexpr BgrColour BgrFromRgb(int red, int green, int blue) {
  return static_cast<BgrColour>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}
constexpr int RedOf(BgrColour colour) { return static_cast<int>(colour & 0xFF); }
constexpr int GreenOf(BgrColour colour) { return static_cast<int>(colour >> 8 & 0xFF); }
constexpr int BlueOf(BgrColour colour) { return static_cast<int>(colour >> 16 & 0xFF); }

// The standard colour's name when the value has one, else "$00BBGGRR".
std::string ColourToText(BgrColour colour);

// Reads both forms (names in any letter case, "$" hexadecimal, and plain
// decimal numbers as older stores may hold). Values beyond 24 bits of colour
// (system and palette colours) and anything else give none.
std::optional<BgrColour> ColourFromText(std::string_view text);

}  // namespace hushlake
