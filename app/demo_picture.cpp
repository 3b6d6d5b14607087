#include "app/demo_picture.h"

#include <cmath>
#include <cstdint>

#include "stego/picture.h"

namespace hushlake {

void WriteDemoPicture(FileStore& files, const std::string& path) {
  constexpr int width = kDemoPictureWidth;
  constexpr int height = kDemoPictureHeight;
  Picture picture(width, height, PixelFormat::Bgr24);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      const double wave = std::sin(x / 9.0 + y / 5.0);
      const bool lake = y > height * 3 / 5;
      const int blue = lake ? 150 + static_cast<int>(20 * wave) : 230 - y;
      const int green = lake ? 90 + static_cast<int>(10 * wave) : 160 - y / 2;
      const int red = lake ? 40 : 120 + y;
      row[3 * x] = static_cast<std::uint8_t>(blue);
      row[3 * x + 1] = static_cast<std::uint8_t>(green);
      row[3 * x + 2] = static_cast<std::uint8_t>(red);
    }
  }
  files.WritePictureAtomically(path, picture);
}

}  // namespace hushlake
