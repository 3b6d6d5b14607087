#include "stego/pixel_view.h"

namespace hushlake {

PixelView::PixelView(const std::uint8_t* top, std::int64_t stride, int width, int height,
                     PixelFormat format, const Palette& palette)
    : top_(top),
      stride_(stride),
      width_(width),
      height_(height),
      format_(format),
      palette_(palette) {}

PixelView PixelView::Of(const Picture& picture) {
  return PixelView(picture.Pixels().data(), static_cast<std::int64_t>(picture.RowBytes()),
                   picture.Width(), picture.Height(), picture.Format(), picture.GetPalette());
}

// The rows stay where they are: the top row is kept, and a shorter row is
// the start of a longer one.
PixelView PixelView::EvenSized() const {
  PixelView even = *this;
  even.height_ -= height_ % 2;
  even.width_ -= width_ % 2;
  return even;
}

}  // namespace hushlake
