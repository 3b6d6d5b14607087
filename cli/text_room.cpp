#include "cli/text_room.h"

#include <algorithm>

#include "app/text_encoding.h"
#include "stego/position_order.h"

namespace hushlake::cli {

namespace {

constexpr std::int64_t EngineKeyLength = 16;
constexpr std::int64_t StreamMarks = 5;

// The positions the engine finds in the picture once it is cut to even size.
std::int64_t Positions(const PictureShape& shape, int columnStep) {
  const std::int64_t width = shape.width & ~1;
  const std::int64_t height = shape.height & ~1;
  return PositionOrder(width, height, columnStep, "").Count();
}

// The base-64 cipher text's length for a text of Length bytes. The modes keep
// the length; base 64 then takes 4 characters for every 3 bytes begun. Both
// are measured rather than assumed, on a text of the same length.
std::int64_t CipherTextLength(const CipherChoice& choice, std::int64_t length) {
  return static_cast<std::int64_t>(
      EncipherText(choice, "length only", std::string(static_cast<std::size_t>(length), 'x'))
          .size());
}

std::int64_t LongestTrueColorText(const CipherChoice& choice, std::int64_t room) {
  if (room <= 0) return 0;
  std::int64_t longest = room / 4 * 3;
  while (longest > 0 && CipherTextLength(choice, longest) > room) --longest;
  while (CipherTextLength(choice, longest + 1) <= room) ++longest;
  return longest;
}

}  // namespace

TextRoom RoomFor(const PictureShape& shape, const CipherChoice& choice, std::int64_t keyLength) {
  TextRoom room;
  room.palette = shape.format == PixelFormat::Indexed8;
  const int step = room.palette ? 3 : 2;
  room.editorFigure =
      std::max<std::int64_t>(0, (static_cast<std::int64_t>(shape.width) - 2) * shape.height / step);
  if (shape.width < 24 || shape.height < 24) return room;
  const std::int64_t positions = Positions(shape, step);
  if (room.palette)
    room.longest = std::max<std::int64_t>(0, positions - keyLength - StreamMarks);
  else
    room.longest = LongestTrueColorText(choice, positions - EngineKeyLength - StreamMarks);
  return room;
}

std::int64_t CostBound(const Picture& picture, std::int64_t keyLength) {
  const bool palette = picture.Format() == PixelFormat::Indexed8;
  const std::int64_t positions = Positions(ShapeOf(picture), palette ? 3 : 2);
  if (palette) return std::max<std::int64_t>(0, positions - keyLength - StreamMarks);
  // Base 64 makes every 3 bytes at least 4 characters.
  return std::max<std::int64_t>(0, (positions - EngineKeyLength - StreamMarks) / 4 * 3);
}

std::int64_t TextCost(std::string_view editorText, bool palette) {
  return static_cast<std::int64_t>(palette ? EditorTextToWindows1252(editorText).size()
                                           : EditorTextToCipherBytes(editorText).size());
}

std::string_view CostUnit(bool palette) { return palette ? "characters" : "bytes"; }

}  // namespace hushlake::cli
