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

PixelView PixelView::CopiedThrough(const PixelBytesReader& reader) const {
  PixelView copied = *this;
  copied.reader_ = &reader;
  return copied;
}

const std::uint8_t* PixelView::Lowest() const {
  return stride_ < 0 && height_ > 0 ? Row(height_ - 1) : top_;
}

std::int64_t PixelView::SpanBytes() const {
  if (width_ <= 0 || height_ <= 0) return 0;
  const std::int64_t between = stride_ < 0 ? -stride_ : stride_;
  return between * (height_ - 1) + std::int64_t{width_} * BytesPerPixelOf(format_);
}

}  // namespace hushlake
