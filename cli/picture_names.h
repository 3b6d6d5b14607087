#pragma once
// The picture files the tool reads and writes, and the names it refuses
// before doing any work. Every picture passes through here, so another file
// kind is one change.
#include <string>

#include "stego/picture.h"
#include "stego/picture/source_file_info.h"

namespace hushlake::cli {

// "-" stands for standard input or output wherever a file is named.
inline constexpr const char* StandardStream = "-";

// True for a name the window opens and saves pictures under.
bool IsPictureName(const std::string& name);

// Raises Refusal with the system's reason when Name cannot be read as a
// picture (missing, a folder, unreadable, not a picture name).
void CheckPictureSource(const std::string& name);

// Raises Refusal when the picture cannot go to Name: a name that is not a
// picture name, a folder, an existing file without --force, or a terminal.
void CheckPictureTarget(const std::string& name, bool force);

// The same for a text file (any name).
void CheckTextTarget(const std::string& name, bool force);

// Writes the picture to standard output in the kind of file it came from
// (as a name without extension gets the source's), with what it kept.
void WritePictureToStandardOutput(const Picture& picture, const SourceFileInfo& source);

}  // namespace hushlake::cli
