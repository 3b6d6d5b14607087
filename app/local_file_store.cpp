#include "app/local_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/mapped_file.h"
#include "crypto/atomic_file.h"
#include "crypto/file_descriptor.h"

namespace hushlake {

namespace {

std::runtime_error FileError(const char* what, const std::string& path) {
  return std::runtime_error("Cannot " + std::string(what) + " the file \"" + path +
                            "\": " + std::strerror(errno));
}

std::runtime_error TooLarge(const std::string& path) {
  return std::runtime_error("The file \"" + path + "\" is too large");
}

}  // namespace

bool LocalFileStore::Exists(const std::string& path) const {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The file is read with read(), not copied out of a mapping: a file cut
// short by another program while mapped would end this process with SIGBUS,
// while read() just ends early. The bytes pass through a chunk that stays in
// the cache, so the result is still written once and never cleared first.
std::vector<std::uint8_t> LocalFileStore::ReadAll(const std::string& path) const {
  const FileDescriptor file = FileDescriptor::OpenForReading(path);
  if (file.Get() < 0) throw FileError("open", path);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) throw FileError("read", path);
  // Nothing this tool reads (a picture, a text) can be handled past this size.
  if (static_cast<std::uint64_t>(status.st_size) > kBmpMaxFileBytes) throw TooLarge(path);
  std::vector<std::uint8_t> bytes;
  if (S_ISREG(status.st_mode)) bytes.reserve(static_cast<std::size_t>(status.st_size));
  constexpr std::size_t ChunkBytes = 256 * 1024;
  std::vector<std::uint8_t> chunk(ChunkBytes);
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw FileError("read", path);
    if (got == 0) return bytes;
    if (bytes.size() + static_cast<std::size_t>(got) > kBmpMaxFileBytes) throw TooLarge(path);
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
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
  if (header.status != BmpStatus::Ok || !header.rowsInPlace) return std::nullopt;
  try {
    auto file = std::make_unique<MappedFile>(path);
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
