#include "app/local_file_store.h"

#include <memory>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "platform/file_reading.h"
#include "platform/mapped_file.h"
#include "stego/pixel_bytes_reader.h"

namespace hushlake {

namespace {

// The mapping a picture is read in place from, copied out of by a reader of
// scattered positions.
class MappedPicture final : public MappedFile, public PixelBytesReader {
 public:
  explicit MappedPicture(const std::string& path) : MappedFile(path, kBmpMaxFileBytes) {}
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override {
    MappedFile::Copy(from, into);
  }
};

}  // namespace

bool LocalFileStore::Exists(const std::string& path) const { return IsRegularFile(path); }

std::vector<std::uint8_t> LocalFileStore::ReadAll(const std::string& path) const {
  // Nothing this tool reads (a picture, a text) can be handled past this size.
  return ReadWholeFile(path, kBmpMaxFileBytes);
}

PictureReadResult LocalFileStore::ReadPicture(const std::string& path) const {
  return ReadPictureFile(path);
}

// The header is read and checked before anything is mapped, so a file that
// is no picture, or claims more pixels than it holds, costs no mapping; the
// view is then made from the mapped bytes alone, checked again, since the
// file may have changed in between. Any doubt leaves the file to ReadPicture.
std::optional<PictureInPlace> LocalFileStore::ViewPicture(const std::string& path) const {
  const BmpHeaderResult header = ReadBmpFileHeader(path);
  if (header.status != PictureReadStatus::Ok || !header.rowsInPlace) return std::nullopt;
  try {
    auto file = std::make_unique<MappedPicture>(path);
    std::optional<PixelView> pixels;
    file->Read([&] { pixels = ViewBmpPixels(file->Bytes()); });
    if (!pixels) return std::nullopt;
    const PixelView copied = pixels->CopiedThrough(*file);
    return PictureInPlace{std::move(file), copied};
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

void LocalFileStore::WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  WriteFileAtomically(path, bytes);
}

void LocalFileStore::WritePictureAtomically(const std::string& path, const Picture& picture,
                                            const SourceFileInfo& source) {
  WriteBmpFile(picture, path, source);
}

void LocalFileStore::RewritePictureAtomically(const std::string& path, const FileView& source,
                                              const BmpRewriteLayout& layout,
                                              const RowBandChange& change) {
  RewriteBmpFile(
      layout,
      [&source](std::uint64_t offset, std::span<std::uint8_t> into) {
        source.ReadAt(offset, into);
      },
      path, change);
}

}  // namespace hushlake
