#include "app/ports.h"

#include "stego/bmp_codec.h"

namespace hushlake {

void FileStore::WritePictureAtomically(const std::string& path, const Picture& picture) {
  WriteAtomically(path, WriteBmp(picture));
}

}  // namespace hushlake
