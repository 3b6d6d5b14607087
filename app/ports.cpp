#include "app/ports.h"

#include <exception>

namespace hushlake {

BmpReadResult FileStore::ReadPicture(const std::string& path) const {
  try {
    return ReadBmp(ReadAll(path));
  } catch (const std::exception& error) {
    BmpReadResult failed;
    failed.error = error.what();
    return failed;
  }
}

void FileStore::WritePictureAtomically(const std::string& path, const Picture& picture,
                                       const SourceFileInfo& source) {
  WriteAtomically(path, WriteBmp(picture, source));
}

}  // namespace hushlake
