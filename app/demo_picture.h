#pragma once
// The picture the command line's demonstration hides its text in.
#include <string>

#include "app/ports.h"

namespace hushlake {

inline constexpr int kDemoPictureWidth = 160;
inline constexpr int kDemoPictureHeight = 120;

// Writes a 24-bit BMP of a sky over a lake, kDemoPictureWidth x
// kDemoPictureHeight: a picture and not a flat colour, so what is hidden in
// it is hidden as it would be in a photograph.
void WriteDemoPicture(FileStore& files, const std::string& path);

}  // namespace hushlake
