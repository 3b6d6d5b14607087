#pragma once
// How much a picture holds: the one home of the capacity rules. The engine
// stores the key, five marks and the text, one symbol a position, in the
// positions of the picture cut to even size; the text editor shows a rough
// figure that ignores the key and the marks.
#include <cstdint>

#include "stego/picture.h"
#include "stego/pixel_view.h"

namespace hushlake {

// What the capacity depends on, which a picture file's header tells.
struct PictureShape {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Bgr24;

  bool Palette() const { return format == PixelFormat::Indexed8; }
};
inline PictureShape ShapeOf(const Picture& picture) {
  return {picture.Width(), picture.Height(), picture.Format()};
}
inline PictureShape ShapeOf(const PixelView& pixels) {
  return {pixels.Width(), pixels.Height(), pixels.Format()};
}

// The marks the stream puts around the key and the text.
inline constexpr std::int64_t kStreamMarks = 5;
// Pictures smaller than this on either side take no text.
inline constexpr int kSmallestSide = 24;

// The positions a picture offers the stream: one every ColumnStep bytes of a
// row (3 for 8 bits, 2 for 24 and 32), of the picture cut to even size.
int ColumnStepOf(PixelFormat format);
std::int64_t StreamPositions(const PictureShape& shape);

// The positions a text of TextLength symbols takes with a key of KeyLength.
constexpr std::int64_t SymbolsNeeded(std::int64_t textLength, std::int64_t keyLength) {
  return textLength + keyLength + kStreamMarks;
}

// The longest text, in symbols, that fits beside a key of KeyLength symbols.
std::int64_t LongestStoredText(const PictureShape& shape, std::int64_t keyLength);

// The text editor's capacity figure for a picture of this size and format,
// as Open Img sets it.
int EditorCapacity(const PictureShape& shape);

}  // namespace hushlake
