#pragma once
// The picture the engine works on: a width, a height, a pixel format and
// rows of bytes counted from the top, whatever order a file stores them in.
#include <array>
#include <cstdint>
#include <span>

#include "stego/pixel_buffer.h"

namespace hushlake {

enum class PixelFormat { Indexed8, Bgr24, Bgrx32 };

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};
using Palette = std::array<PaletteEntry, 256>;

// Bytes of one pixel in a row: 1, 3 or 4.
int BytesPerPixelOf(PixelFormat format);

class Picture {
 public:
  Picture() = default;
  // A picture of the given size with every byte zero (and a zero palette).
  Picture(int width, int height, PixelFormat format);
  // A picture of the given size whose pixel bytes have no set value yet, for
  // a caller that writes every one of them (a zero palette).
  static Picture WithUnsetPixels(int width, int height, PixelFormat format);

  Picture(const Picture& other);
  Picture& operator=(const Picture& other);
  Picture(Picture&&) noexcept = default;
  Picture& operator=(Picture&&) noexcept = default;
  ~Picture() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // 1, 3 or 4.
  int BytesPerPixel() const;
  // Width times BytesPerPixel: rows are stored without padding.
  std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * BytesPerPixel(); }

  // Row y counted from the top: blue, green, red[, fourth byte] per pixel,
  // or one palette index per pixel.
  std::uint8_t* Row(int y) { return pixels_.Data() + static_cast<std::size_t>(y) * RowBytes(); }
  const std::uint8_t* Row(int y) const {
    return pixels_.Data() + static_cast<std::size_t>(y) * RowBytes();
  }
  std::span<std::uint8_t> Pixels() { return pixels_.Bytes(); }
  std::span<const std::uint8_t> Pixels() const { return pixels_.Bytes(); }

  // The 256 palette entries (meaningful for Indexed8 only).
  const Palette& GetPalette() const { return palette_; }
  void SetPalette(const Palette& palette) { palette_ = palette; }

  // Keeps the top-left Width x Height part (both at most the current size).
  void Crop(int width, int height);
  // Removes the bottom row if the height is odd, then the rightmost column
  // if the width is odd.
  void TrimToEvenSize();

  bool operator==(const Picture&) const = default;

 private:
  Picture(int width, int height, PixelFormat format, bool zeroed);

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  PixelBuffer pixels_;
  Palette palette_{};
};

}  // namespace hushlake
