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

void FileStore::RewritePictureAtomically(const std::string& path, const FileView& source,
                                         const BmpRewriteLayout& layout,
                                         const RowBandChange& change) {
  std::vector<std::uint8_t> bytes;
  RewriteBmp(
      layout,
      [&source](std::uint64_t offset, std::span<std::uint8_t> into) {
        source.ReadAt(offset, into);
      },
      change,
      [&bytes](std::span<const std::uint8_t> part) {
        bytes.insert(bytes.end(), part.begin(), part.end());
      });
  WriteAtomically(path, bytes);
}

void FileStore::WritePictureAtomically(const std::string& path, const Picture& picture,
                                       const SourceFileInfo& source) {
  WriteAtomically(path, WriteBmp(picture, source));
}

}  // namespace hushlake
