#pragma once
// The picture files the tool reads and writes, and the names it refuses
// before doing any work. Every picture passes through here, so another file
// kind is one change.
#include <string>

namespace hushlake::cli {

// "-" stands for standard input or output wherever a file is named.
inline constexpr const char* StandardStream = "-";

// True for a name the window opens and saves pictures under.
bool IsPictureName(const std::string& name);

// Raises Refusal with the system's reason when Name cannot be read as a
// picture (missing, a folder, unreadable, not a picture name).
void CheckPictureSource(const std::string& name);

// Raises Refusal when the picture cannot go to Name: a name with another
// extension than .bmp or .png, a folder (or a name ending in /), an existing
// file without --force, or a terminal.
void CheckPictureTarget(const std::string& name, bool force);

// The same for a text file (any name).
void CheckTextTarget(const std::string& name, bool force);

}  // namespace hushlake::cli
