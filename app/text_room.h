#pragma once
// How much text a picture takes, counted exactly as Encrypt counts it (the
// positions themselves: stego/capacity.h). On 24 and 32 bits the text is the
// base-64 cipher text of its UTF-8 bytes (line breaks as CR LF) and the key
// is the 16-character engine key; on 8 bits the text is its Windows-1252
// bytes (CR LF) and the key is the typed key.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stego/capacity.h"

namespace hushlake {

// The shortest key Encrypt accepts, in characters.
inline constexpr std::int64_t ShortestKey = 9;

struct TextRoom {
  std::int64_t editorFigure = 0;  // what the text editor shows
  std::int64_t longest = 0;       // the longest text Encrypt accepts, as TextCost counts
  bool palette = false;
};

// Why a picture takes no text at all, in plain words naming its size: one
// under 24 pixels on a side. Nothing for a picture large enough.
std::optional<std::string> TooSmallToHide(const PictureShape& shape);

// KeyLength counts the 8-bit key's characters; 24- and 32-bit pictures ignore it.
TextRoom RoomFor(const PictureShape& shape, std::int64_t keyLength);
inline TextRoom RoomFor(const Picture& picture, std::int64_t keyLength) {
  return RoomFor(ShapeOf(picture), keyLength);
}

// A bound no text that fits can exceed, found without enciphering anything:
// reading input stops past it, and a longer text is refused at once.
std::int64_t CostBound(const PictureShape& shape, std::int64_t keyLength);

// The length of EditorText as the engine counts it for this picture kind.
std::int64_t TextCost(std::string_view editorText, bool palette);

// The key's length as the 8-bit engine counts it (its Windows-1252 bytes),
// leaving no copy behind.
std::int64_t KeyCost(std::string_view keyText);

// What the unit of a cost is, for messages ("bytes" or "characters").
std::string_view CostUnit(bool palette);

}  // namespace hushlake
