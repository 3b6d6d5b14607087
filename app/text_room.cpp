#include "app/text_room.h"

#include <algorithm>

#include "app/text_cipher.h"
#include "app/text_encoding.h"
#include "crypto/secret.h"

namespace hushlake {

namespace {

constexpr std::int64_t EngineKeyLength = 16;

// The longest text whose cipher text fits in Room characters: the inverse
// of CipherTextLength.
std::int64_t LongestTrueColorText(std::int64_t room) { return room <= 0 ? 0 : room / 4 * 3; }

}  // namespace

std::optional<std::string> TooSmallToHide(const PictureShape& shape) {
  if (shape.width >= kSmallestSide && shape.height >= kSmallestSide) return std::nullopt;
  const std::string side = std::to_string(kSmallestSide);
  return "a picture has to be at least " + side + "x" + side +
         " pixels to hide a text; this one is " + std::to_string(shape.width) + " x " +
         std::to_string(shape.height) + " pixels";
}

TextRoom RoomFor(const PictureShape& shape, std::int64_t keyLength) {
  TextRoom room;
  room.palette = shape.Palette();
  room.editorFigure = EditorCapacity(shape);
  if (TooSmallToHide(shape)) return room;
  room.longest = CostBound(shape, keyLength);
  return room;
}

std::int64_t CostBound(const PictureShape& shape, std::int64_t keyLength) {
  if (shape.Palette()) return LongestStoredText(shape, keyLength);
  return LongestTrueColorText(StreamPositions(shape) - SymbolsNeeded(0, EngineKeyLength));
}

std::int64_t TextCost(std::string_view editorText, bool palette) {
  return static_cast<std::int64_t>(palette ? EditorTextToWindows1252(editorText).size()
                                           : EditorTextToCipherBytes(editorText).size());
}

std::int64_t KeyCost(std::string_view keyText) {
  const SecretString keyBytes = SecretString::Adopt(EditorTextToWindows1252(keyText));
  return static_cast<std::int64_t>(keyBytes.size());
}

std::string_view CostUnit(bool palette) { return palette ? "characters" : "bytes"; }

}  // namespace hushlake
