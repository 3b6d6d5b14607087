#pragma once
// Loading and saving pictures by file name, whatever the container: the
// one place that decides between BMP and PNG. A file is read by what its
// bytes are, whatever its name says; a picture is saved in the kind its
// name's extension asks for.
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "stego/picture.h"
#include "stego/picture/read_result.h"
#include "stego/picture/source_file_info.h"

namespace hushlake {

// A BMP or PNG file by its signature; bytes with neither are judged by the
// name's extension (".png" by the PNG reader, anything else by the BMP
// reader), so the refusal names the format the user meant.
PictureReadResult ReadPicture(std::span<const std::uint8_t> fileBytes, std::string_view name);
PictureReadResult ReadPictureFile(const std::string& path);

// "BMP" or "PNG".
std::string_view KindName(PictureFileKind kind);
// ".bmp" or ".png".
std::string_view KindExtension(PictureFileKind kind);

// Whether the name's extension is one a picture can be loaded from (it
// contains "BMP" or "PNG", in any case).
bool HasPictureExtension(std::string_view name);

struct SaveTarget {
  PictureFileKind kind = PictureFileKind::Bmp;
  std::string path;  // the name as given, or with the source's extension added
};

// Which file a picture saved under `name` becomes: ".bmp" is BMP and ".png"
// is PNG (in any case); a name without extension gets the extension of the
// source's kind; any other extension has no target (nullopt), and nothing
// may be written.
std::optional<SaveTarget> ChooseSaveTarget(std::string_view name, PictureFileKind sourceKind);

// The bytes of the picture as a file of the given kind; kept chunks of a
// source of the same kind go back in.
std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFileKind kind,
                                        const SourceFileInfo& source);

class PictureWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the file whole or not at all; PictureWriteError names the file and the reason.
void WritePictureFile(const Picture& picture, const SaveTarget& target,
                      const SourceFileInfo& source);

}  // namespace hushlake
