#include "stego/picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace hushlake {

Picture::Picture(int width, int height, PixelFormat format)
    : Picture(width, height, format, true) {}

Picture::Picture(int width, int height, PixelFormat format, bool zeroed)
    : width_(std::max(0, width)), height_(std::max(0, height)), format_(format) {
  const std::size_t size = RowBytes() * static_cast<std::size_t>(height_);
  pixels_ = zeroed ? PixelBuffer::Zeroed(size) : PixelBuffer::ForOverwrite(size);
}

Picture Picture::WithUnsetPixels(int width, int height, PixelFormat format) {
  return Picture(width, height, format, false);
}

// The copy is written once, straight from this picture's bytes.
Picture::Picture(const Picture& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      pixels_(other.pixels_.Clone()),
      palette_(other.palette_) {}

Picture& Picture::operator=(const Picture& other) {
  if (this != &other) *this = Picture(other);
  return *this;
}

int Picture::BytesPerPixel() const { return BytesPerPixelOf(format_); }

int BytesPerPixelOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return 1;
    case PixelFormat::Bgr24:
      return 3;
    case PixelFormat::Bgrx32:
      return 4;
  }
  return 3;
}

void Picture::Crop(int width, int height) {
  width = std::clamp(width, 0, width_);
  height = std::clamp(height, 0, height_);
  const std::size_t oldRow = RowBytes();
  const std::size_t newRow = static_cast<std::size_t>(width) * BytesPerPixel();
  // Rows only move towards the start, so an in-place forward copy is safe.
  for (int y = 0; y < height; ++y)
    std::memmove(pixels_.Data() + y * newRow, pixels_.Data() + y * oldRow, newRow);
  width_ = width;
  height_ = height;
  pixels_.Shrink(newRow * static_cast<std::size_t>(height));
}

void Picture::TrimToEvenSize() {
  const int height = height_ % 2 == 0 ? height_ : height_ - 1;
  const int width = width_ % 2 == 0 ? width_ : width_ - 1;
  if (height != height_ || width != width_) Crop(width, height);
}

}  // namespace hushlake
