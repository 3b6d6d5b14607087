#include "cli/text_room.h"

#include <algorithm>

#include "app/text_cipher.h"
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

// The longest text whose cipher text fits in Room characters: the inverse
// of CipherTextLength.
std::int64_t LongestTrueColorText(std::int64_t room) { return room <= 0 ? 0 : room / 4 * 3; }

}  // namespace

TextRoom RoomFor(const PictureShape& shape, std::int64_t keyLength) {
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
    room.longest = LongestTrueColorText(positions - EngineKeyLength - StreamMarks);
  return room;
}

std::int64_t CostBound(const PictureShape& shape, std::int64_t keyLength) {
  const bool palette = shape.format == PixelFormat::Indexed8;
  const std::int64_t positions = Positions(shape, palette ? 3 : 2);
  if (palette) return std::max<std::int64_t>(0, positions - keyLength - StreamMarks);
  return LongestTrueColorText(positions - EngineKeyLength - StreamMarks);
}

std::int64_t TextCost(std::string_view editorText, bool palette) {
  return static_cast<std::int64_t>(palette ? EditorTextToWindows1252(editorText).size()
                                           : EditorTextToCipherBytes(editorText).size());
}

std::string_view CostUnit(bool palette) { return palette ? "characters" : "bytes"; }

}  // namespace hushlake::cli
