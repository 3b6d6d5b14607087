#pragma once
// Read-only access to a picture's pixel bytes wherever they lie: in a
// Picture (rows from the top, unpadded) or in a file's own pixel array (rows
// padded to four bytes, stored from the bottom or from the top). Row 0 is
// always the top row; a bottom-up array is walked with a negative stride, so
// a reader needs no copy to see the rows in picture order.
#include <cstdint>

#include "stego/picture.h"

namespace hushlake {

class PixelView {
 public:
  PixelView() = default;
  // The top row starts at Top; each next row starts Stride bytes further
  // (before it, when Stride is negative). Each row holds Width pixels in
  // Format's bytes, as a Picture's row does.
  PixelView(const std::uint8_t* top, std::int64_t stride, int width, int height, PixelFormat format,
            const Palette& palette);
  static PixelView Of(const Picture& picture);

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  const Palette& GetPalette() const { return palette_; }
  std::int64_t Stride() const { return stride_; }
  // Row y counted from the top.
  const std::uint8_t* Row(std::int64_t y) const { return top_ + y * stride_; }

  // What TrimToEvenSize leaves of the same picture: without the bottom row
  // if the height is odd, then without the rightmost column if the width is.
  PixelView EvenSized() const;

 private:
  const std::uint8_t* top_ = nullptr;
  std::int64_t stride_ = 0;
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  Palette palette_{};
};

}  // namespace hushlake
