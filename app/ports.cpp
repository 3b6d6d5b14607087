#include "app/ports.h"

#include <exception>

namespace hushlake {

PictureReadResult FileStore::ReadPicture(const std::string& path) const {
  try {
    return hushlake::ReadPicture(ReadAll(path), path);
  } catch (const std::exception& error) {
    PictureReadResult failed;
    failed.error = error.what();
    return failed;
  }
}

std::optional<PictureInPlace> FileStore::ViewPicture(const std::string& /*path*/) const {
  return std::nullopt;
}

void FileStore::WritePictureAtomically(const std::string& path, const Picture& picture,
                                       const SourceFileInfo& source) {
  WriteAtomically(path, WriteBmp(picture, source));
}

}  // namespace hushlake
