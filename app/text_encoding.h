#pragma once
// The editor holds Unicode text (UTF-8 here); the engine and the ciphers work
// on 8-bit byte strings. These conversions decide which bytes a text becomes.
#include <string>
#include <string_view>

#include "app/utf8.h"

namespace hushlake {

// The bytes enciphered for a 24- or 32-bit picture: the UTF-8 text with
// every line break written as CR LF.
std::string EditorTextToCipherBytes(std::string_view utf8);

// Deciphered bytes as editor text: valid UTF-8 as it is, anything else read
// as Windows-1252 (the code page of pictures from older versions).
std::string CipherBytesToEditorText(std::string_view bytes);

// The text as Windows-1252 bytes for the 8-bit path, with CR LF line breaks.
// A character the code page lacks becomes Unmappable, one character outside
// the 8-bit alphabet.
inline constexpr char Unmappable = '_';
std::string EditorTextToWindows1252(std::string_view utf8);

// Windows-1252 bytes as UTF-8 editor text.
std::string Windows1252ToEditorText(std::string_view bytes);

// A text file's bytes as editor text: UTF-8 (a leading byte order mark
// dropped) when valid, Windows-1252 otherwise.
std::string TextFileToEditorText(std::string_view bytes);
// The editor's lines as a text file: UTF-8 with CR LF line breaks.
std::string EditorTextToTextFile(std::string_view utf8);

// Line breaks as CR LF, whatever the text had (LF, CR or CR LF).
std::string WithCrLfLineBreaks(std::string_view text);

// CR LF and lone CR become LF.
std::string WithLocalLineBreaks(std::string_view text);

}  // namespace hushlake
