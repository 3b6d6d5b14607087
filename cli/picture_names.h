#pragma once
// The picture files the tool reads and writes, and the names it refuses
// before doing any work. Every picture passes through here, so another file
// kind is one change.
#include <optional>
#include <string>
#include <string_view>

namespace hushlake::cli {

// "-" stands for standard input or output wherever a file is named.
inline constexpr const char* StandardStream = "-";

// The one rule for picture names, read or written, by every command: a
// name ends in .bmp or .png (in any case) or has no extension. Which kind a
// picture read is comes from its bytes, whatever the name; the kind a picture
// is saved in comes from the name's extension, or is the source's kind for a
// name without one. Any other extension (photo.jpg) is refused before any work.
bool IsPictureName(const std::string& name);

// Why Name may not be read as a picture by the rule above (the reason
// alone, without the name); nothing when it may.
std::optional<std::string> PictureNameRefusal(const std::string& name);

// Raises Refusal with the system's reason when Name cannot be read as a
// picture (missing, a folder, unreadable, not a picture name).
void CheckPictureSource(const std::string& name);

// Raises Refusal when the picture cannot go to Name: not a picture name, a folder (or a name ending
// in /), an existing file without --force, or a terminal.
void CheckPictureTarget(const std::string& name, bool force);

// The refusal of a file found under the output name: Message (a save's
// "The file "NAME" exists"), and without --force how to replace it.
std::string ExistsRefusal(std::string_view message, bool force);

// The same for a text file (any name).
void CheckTextTarget(const std::string& name, bool force);

}  // namespace hushlake::cli
