#include "windows/picture_image.h"

#include <algorithm>
#include <array>
#include <vector>

namespace hushlake {

namespace {

QImage::Format QtFormatOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return QImage::Format_Indexed8;
    case PixelFormat::Bgr24:
      return QImage::Format_BGR888;
    case PixelFormat::Bgrx32:
      break;
  }
  // Blue, green, red, unused: on little-endian machines that is RGB32.
  return QImage::Format_RGB32;
}

}  // namespace

QImage ToQImage(const Picture& picture) {
  if (picture.Empty()) return {};
  QImage image(picture.Row(0), picture.Width(), picture.Height(),
               static_cast<qsizetype>(picture.RowBytes()), QtFormatOf(picture.Format()));
  if (picture.Format() == PixelFormat::Indexed8) {
    QList<QRgb> colours;
    colours.reserve(256);
    for (const PaletteEntry& entry : picture.GetPalette())
      colours.append(qRgb(entry.red, entry.green, entry.blue));
    image.setColorTable(colours);
  }
  return image;
}

}  // namespace hushlake

namespace hushlake {

namespace {

// Sums the red, green and blue of Factor x Factor blocks of rows; Colour
// gives the colour of pixel x of a row.
template <class Colour>
QImage AverageBlocks(const Picture& picture, int factor, Colour colour) {
  const int width = (picture.Width() + factor - 1) / factor;
  const int height = (picture.Height() + factor - 1) / factor;
  QImage reduced(width, height, QImage::Format_RGB32);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 3);
  for (int outY = 0; outY < height; ++outY) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int lastY = std::min(picture.Height(), (outY + 1) * factor);
    for (int y = outY * factor; y < lastY; ++y) {
      const std::uint8_t* row = picture.Row(y);
      // Block by block, so no pixel needs a division to find its block.
      for (int outX = 0, x = 0; outX < width; ++outX) {
        const int lastX = std::min(picture.Width(), x + factor);
        std::uint32_t* sum = &sums[static_cast<std::size_t>(3 * outX)];
        for (; x < lastX; ++x) {
          const QRgb rgb = colour(row, x);
          sum[0] += qRed(rgb);
          sum[1] += qGreen(rgb);
          sum[2] += qBlue(rgb);
        }
      }
    }
    const int blockHeight = lastY - outY * factor;
    auto* line = reinterpret_cast<QRgb*>(reduced.scanLine(outY));
    for (int x = 0; x < width; ++x) {
      const int blockWidth = std::min(picture.Width(), (x + 1) * factor) - x * factor;
      const auto n = static_cast<std::uint32_t>(blockWidth * blockHeight);
      const auto at = static_cast<std::size_t>(3 * x);
      line[x] = qRgb(static_cast<int>(sums[at] / n), static_cast<int>(sums[at + 1] / n),
                     static_cast<int>(sums[at + 2] / n));
    }
  }
  return reduced;
}

}  // namespace

QImage ReducedImage(const Picture& picture, int maxSide) {
  if (picture.Empty() || maxSide < 1) return {};
  const int longest = std::max(picture.Width(), picture.Height());
  const int factor = (longest + maxSide - 1) / maxSide;
  switch (picture.Format()) {
    case PixelFormat::Indexed8: {
      std::array<QRgb, 256> colours{};
      for (std::size_t i = 0; i < colours.size(); ++i) {
        const PaletteEntry& entry = picture.GetPalette()[i];
        colours[i] = qRgb(entry.red, entry.green, entry.blue);
      }
      return AverageBlocks(picture, factor,
                           [&colours](const std::uint8_t* row, int x) { return colours[row[x]]; });
    }
    case PixelFormat::Bgr24:
      return AverageBlocks(picture, factor, [](const std::uint8_t* row, int x) {
        const std::uint8_t* pixel = row + 3 * x;
        return qRgb(pixel[2], pixel[1], pixel[0]);
      });
    case PixelFormat::Bgrx32:
      break;
  }
  return AverageBlocks(picture, factor, [](const std::uint8_t* row, int x) {
    const std::uint8_t* pixel = row + 4 * x;
    return qRgb(pixel[2], pixel[1], pixel[0]);
  });
}

}  // namespace hushlake
