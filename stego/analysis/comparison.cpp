// A cover against the picture made from it, byte by byte.
#include <cmath>
#include <cstdlib>

#include "stego/analysis/analysis.h"

namespace hushlake::analysis {

std::optional<PictureComparison> ComparePictures(const PixelView& cover, const PixelView& stego) {
  if (cover.Width() != stego.Width() || cover.Height() != stego.Height() ||
      cover.Format() != stego.Format())
    return std::nullopt;
  PictureComparison comparison;
  const std::size_t pixelBytes = static_cast<std::size_t>(BytesPerPixelOf(cover.Format()));
  // The fourth byte of a 32-bit pixel is no colour; a palette picture's bytes are indices.
  const std::size_t colourBytes = pixelBytes == 4 ? 3 : pixelBytes;
  double absolute = 0.0;
  double squares = 0.0;
  for (int y = 0; y < cover.Height(); ++y) {
    const std::uint8_t* a = cover.Row(y);
    const std::uint8_t* b = stego.Row(y);
    for (int x = 0; x < cover.Width(); ++x)
      for (std::size_t c = 0; c < colourBytes; ++c) {
        const std::size_t at = static_cast<std::size_t>(x) * pixelBytes + c;
        const int difference = static_cast<int>(b[at]) - static_cast<int>(a[at]);
        ++comparison.bytes;
        comparison.bytesChanged += difference != 0;
        comparison.lowBitsChanged += ((a[at] ^ b[at]) & 1) != 0;
        absolute += std::abs(difference);
        squares += static_cast<double>(difference) * difference;
      }
  }
  if (comparison.bytes > 0) {
    comparison.meanChange = absolute / static_cast<double>(comparison.bytes);
    if (squares > 0.0)
      comparison.psnr =
          10.0 * std::log10(255.0 * 255.0 * static_cast<double>(comparison.bytes) / squares);
  }
  comparison.before = AnalyzePicture(cover);
  comparison.after = AnalyzePicture(stego);
  return comparison;
}

}  // namespace hushlake::analysis
