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

// The pixels read for each block along one side of the picture: Samples per
// block, block by block. A block of one or two pixels is read whole; a
// larger one at a quarter and three quarters of its length, which keeps the
// cost of a large picture down to a fraction of its pixels. A block cut
// short by the picture's edge reads its last pixel in place of the missing
// ones.
struct BlockSamples {
  int perBlock = 1;
  std::vector<int> at;
};

BlockSamples SamplesAlong(int length, int factor) {
  BlockSamples samples;
  samples.perBlock = std::min(factor, 2);
  const std::array<int, 2> offsets =
      factor <= 2 ? std::array<int, 2>{0, 1} : std::array<int, 2>{factor / 4, 3 * factor / 4};
  for (int start = 0; start < length; start += factor) {
    const int last = std::min(length, start + factor) - 1;
    for (int k = 0; k < samples.perBlock; ++k)
      samples.at.push_back(std::min(start + offsets[static_cast<std::size_t>(k)], last));
  }
  return samples;
}

// Colour gives the colour of pixel x of a row.
template <class Colour>
QImage AverageBlocks(const Picture& picture, int factor, Colour colour) {
  const BlockSamples columns = SamplesAlong(picture.Width(), factor);
  const BlockSamples rows = SamplesAlong(picture.Height(), factor);
  const int width = static_cast<int>(columns.at.size()) / columns.perBlock;
  const int height = static_cast<int>(rows.at.size()) / rows.perBlock;
  const auto count = static_cast<std::uint32_t>(columns.perBlock * rows.perBlock);
  QImage reduced(width, height, QImage::Format_RGB32);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 3);
  for (int outY = 0; outY < height; ++outY) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int k = 0; k < rows.perBlock; ++k) {
      const std::uint8_t* row =
          picture.Row(rows.at[static_cast<std::size_t>(outY * rows.perBlock + k)]);
      auto column = columns.at.begin();
      for (std::size_t at = 0; at < sums.size(); at += 3)
        for (int j = 0; j < columns.perBlock; ++j, ++column) {
          const QRgb rgb = colour(row, *column);
          sums[at] += static_cast<std::uint32_t>(qRed(rgb));
          sums[at + 1] += static_cast<std::uint32_t>(qGreen(rgb));
          sums[at + 2] += static_cast<std::uint32_t>(qBlue(rgb));
        }
    }
    auto* line = reinterpret_cast<QRgb*>(reduced.scanLine(outY));
    for (int x = 0; x < width; ++x) {
      const auto at = static_cast<std::size_t>(3 * x);
      line[x] = qRgb(static_cast<int>(sums[at] / count), static_cast<int>(sums[at + 1] / count),
                     static_cast<int>(sums[at + 2] / count));
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
