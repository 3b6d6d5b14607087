#include "windows/picture_image.h"

#include <cstring>

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
  QImage image(picture.Width(), picture.Height(), QtFormatOf(picture.Format()));
  if (image.isNull()) return {};
  for (int y = 0; y < picture.Height(); ++y)
    std::memcpy(image.scanLine(y), picture.Row(y), picture.RowBytes());
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
