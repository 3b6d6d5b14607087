#include "stego/analysis/palette_tells.h"

#include <array>
#include <cstdlib>

namespace hushlake::analysis {

PaletteTells FindPaletteTells(const PixelView& view) {
  PaletteTells tells;
  if (view.Format() != PixelFormat::Indexed8) return tells;
  tells.indexed = true;
  std::array<bool, 256> used{};
  for (int y = 0; y < view.Height(); ++y) {
    const std::uint8_t* row = view.Row(y);
    for (int x = 0; x < view.Width(); ++x) used[row[x]] = true;
  }
  std::array<bool, 256> paired{};
  const Palette& palette = view.GetPalette();
  for (std::size_t a = 0; a < 256; ++a) {
    if (!used[a]) continue;
    ++tells.usedEntries;
    for (std::size_t b = a + 1; b < 256; ++b) {
      if (!used[b]) continue;
      const int red = std::abs(palette[a].red - palette[b].red);
      const int green = std::abs(palette[a].green - palette[b].green);
      const int blue = std::abs(palette[a].blue - palette[b].blue);
      if (red + green + blue == 0)
        ++tells.equalPairs;
      else if (red <= 1 && green <= 1 && blue <= 1 && red + green + blue <= 2)
        ++tells.nearPairs;
      else
        continue;
      paired[a] = paired[b] = true;
    }
  }
  tells.unusedEntries = 256 - tells.usedEntries;
  int pairedEntries = 0;
  for (bool p : paired) pairedEntries += p;
  tells.pairedShare =
      tells.usedEntries == 0 ? 0.0 : static_cast<double>(pairedEntries) / tells.usedEntries;
  return tells;
}

}  // namespace hushlake::analysis
