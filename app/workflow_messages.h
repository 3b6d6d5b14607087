#pragma once
// What the main window tells the user about its workflow, word for word; the
// job layer names these for its outcomes, and every front end may show them.
#include <string_view>

namespace hushlake {

namespace messages {
inline constexpr std::string_view LoadImageFirst = "You need to load an image first";
inline constexpr std::string_view EnterTextFirst =
    "You need to enter or load text to be encrypted first";
inline constexpr std::string_view KeyTooShort = "The Key entered is too short";
inline constexpr std::string_view ImageTooSmall =
    "The image has to be at least 24x24 pixels in size.";
inline constexpr std::string_view EncryptDone =
    "The text has been encrypted successfully\nPlease save the encrypted image now";
inline constexpr std::string_view WrongDepth =
    "This is neither 8, 24 or 32 bit bitmap\nPlease choose another image";
// Our own: the same refusal for a PNG of a kind the engine cannot use.
inline constexpr std::string_view WrongPngKind =
    "This is neither an 8 bit palette, 24 bit RGB or 32 bit RGBA PNG\nPlease choose another image";
inline constexpr std::string_view FileSaved = "File Saved";
inline constexpr std::string_view ReplaceTextFile = "Replace Existing File?";
inline constexpr std::string_view ReplacePicture = "Replace existing file?";
inline constexpr std::string_view PictureSaved = "Picture saved";
// Our own: a key the 8-bit alphabet cannot carry would make a picture no
// Decrypt ever accepts, so Encrypt refuses it up front.
inline constexpr std::string_view PaletteKeyUnsupported =
    "The key contains characters that an 8-bit picture cannot carry\n"
    "Please use only letters, digits, spaces and the signs / , ' . ? ! : -";
// Our own: the name's extension chooses the file kind, and there are two.
inline constexpr std::string_view PictureNeedsBmpOrPngName =
    "Pictures are saved as BMP or PNG files only\nPlease choose a file name ending in .bmp or .png";
// Our own: what the user reads when an action ends on an error without a text.
inline constexpr std::string_view UnexpectedError = "An unexpected error ended the action";
}  // namespace messages

}  // namespace hushlake
