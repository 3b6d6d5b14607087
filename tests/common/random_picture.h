#pragma once
// Pictures and texts of seeded random content, the same for every test and
// benchmark that asks with the same seed.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include "stego/picture.h"

namespace hushlake::test {

// Whether an 8-bit picture's palette flags byte is random too (the BMP
// codec's round trip keeps it) or zero (as pictures the system writes have it).
enum class PaletteFlags { Zero, Random };

// Every pixel byte random; 8-bit pictures get a random palette (distinct in practice).
inline Picture RandomPicture(int width, int height, PixelFormat format, std::uint32_t seed,
                             PaletteFlags flags = PaletteFlags::Zero) {
  Picture picture(width, height, format);
  std::mt19937 generator(seed);
  const auto next = [&generator] { return static_cast<std::uint8_t>(generator()); };
  for (std::uint8_t& byte : picture.Pixels()) byte = next();
  if (format == PixelFormat::Indexed8) {
    Palette palette{};
    for (PaletteEntry& entry : palette) {
      entry.red = next();
      entry.green = next();
      entry.blue = next();
      entry.flags = flags == PaletteFlags::Random ? next() : std::uint8_t{0};
    }
    picture.SetPalette(palette);
  }
  return picture;
}

// Printable text of the given length (what a cipher text looks like).
inline std::string PrintableText(std::size_t length, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::string text(length, ' ');
  for (char& c : text) c = static_cast<char>(33 + generator() % 94);
  return text;
}

}  // namespace hushlake::test
