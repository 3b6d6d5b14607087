#pragma once
// Read-only access to a picture's pixel bytes wherever they lie: in a
// Picture (rows from the top, unpadded) or in a file's own pixel array (rows
// padded to four bytes, stored from the bottom or from the top). Row 0 is
// always the top row; a bottom-up array is walked with a negative stride, so
// a reader needs no copy to see the rows in picture order.
#include <cstdint>

#include "stego/picture.h"
#include "stego/pixel_bytes_reader.h"

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

  // The same view, whose bytes a reader of many scattered positions copies
  // through Reader (which must outlive the view) instead of loading them.
  PixelView CopiedThrough(const PixelBytesReader& reader) const;
  // The reader given to CopiedThrough; nullptr when the bytes are to be
  // loaded where they lie.
  const PixelBytesReader* Reader() const { return reader_; }
  // The bytes between the lowest and the highest byte of the rows: the
  // stored rows in either order, padding between them included.
  const std::uint8_t* Lowest() const;
  std::int64_t SpanBytes() const;

 private:
  const std::uint8_t* top_ = nullptr;
  std::int64_t stride_ = 0;
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Bgr24;
  Palette palette_{};
  const PixelBytesReader* reader_ = nullptr;
};

}  // namespace hushlake
