#pragma once
// What reading a picture file gives, whatever its container: the picture and
// what writing it back keeps of the file, or why the file was refused.
#include <string>

#include "stego/picture.h"
#include "stego/picture/source_file_info.h"

namespace hushlake {

// Unsupported: a well-formed file of a kind this tool does not read (another
// pixel depth, say); Malformed: a broken or unreadable file.
enum class PictureReadStatus { Ok, Unsupported, Malformed };

struct PictureReadResult {
  PictureReadStatus status = PictureReadStatus::Malformed;
  PictureFileKind kind = PictureFileKind::Bmp;  // what the file was, or was taken for
  Picture picture;                              // empty unless status is Ok
  int bitsPerPixel = 0;   // as a BMP file stores it, once its header could be read
  SourceFileInfo source;  // what writing the picture back keeps of the file (nothing unless Ok)
  std::string error;      // empty when status is Ok
};

}  // namespace hushlake
