#pragma once
// What the user reads when the engine refuses: the engine returns an outcome,
// and every front end words it with these texts.
#include <optional>
#include <string_view>

#include "stego/encryptor.h"

namespace hushlake {

inline constexpr std::string_view PixelDepthMessage =
    "Improper Pixel Depth\nImage may have either 8, 24 or 32 bits per pixel";
inline constexpr std::string_view CapacityMessage =
    "The text to be encrypted is longer than the image size\n"
    "Please specify a larger image or reduce the amount of text";
inline constexpr std::string_view PaletteKeyMessage = "This is not valid key";
inline constexpr std::string_view TrueColorKeyMessage =
    "This is not valid key\nor wrong Hash Algorithm";
// Shown by the final check of either picture kind.
inline constexpr std::string_view FinalCheckMessage = TrueColorKeyMessage;

// The error message for Status on a picture of the given kind; none for Done.
constexpr std::optional<std::string_view> EngineMessage(EngineStatus status, bool palettePicture) {
  switch (status) {
    case EngineStatus::Done:
      return std::nullopt;
    case EngineStatus::TextTooLong:
      return CapacityMessage;
    case EngineStatus::KeyRejected:
      return palettePicture ? PaletteKeyMessage : TrueColorKeyMessage;
    case EngineStatus::NothingFound:
      return FinalCheckMessage;
    case EngineStatus::UnsupportedDepth:
      return PixelDepthMessage;
  }
  return PixelDepthMessage;
}

}  // namespace hushlake
