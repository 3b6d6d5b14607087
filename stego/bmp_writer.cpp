// Writing Pictures as BMP files in their own pixel format, so that reading
// the file back gives the same bytes, and replacing files atomically.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "crypto/bytes.h"
#include "stego/bmp_codec.h"
#include "stego/bmp_format.h"

namespace hushlake {
namespace {

constexpr std::uint32_t kPaletteBytes = 256 * 4;
constexpr std::uint32_t kChunkBytes = 1 << 20;

struct Layout {
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t stride = 0;
  std::uint32_t paletteBytes = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t fileSize = 0;
};

std::string SizeText(const Picture& picture) {
  return std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
}

// Refuses what the reader would refuse, so every file written can be read back.
Layout PlanLayout(const Picture& picture) {
  if (picture.Empty()) throw BmpWriteError("cannot write an empty picture as BMP");
  const auto pixels =
      static_cast<std::uint64_t>(picture.Width()) * static_cast<std::uint64_t>(picture.Height());
  if (picture.Width() > kBmpMaxSide || picture.Height() > kBmpMaxSide || pixels > kBmpMaxPixels)
    throw BmpWriteError("cannot write a picture of " + SizeText(picture) +
                        " pixels as BMP: it is larger than a BMP file may be here");
  Layout layout;
  layout.bitsPerPixel = static_cast<std::uint16_t>(picture.BytesPerPixel() * 8);
  const std::uint64_t stride =
      bmp::RowStride(static_cast<std::uint64_t>(picture.Width()), layout.bitsPerPixel);
  layout.stride = static_cast<std::uint32_t>(stride);
  layout.paletteBytes = picture.Format() == PixelFormat::Indexed8 ? kPaletteBytes : 0;
  layout.pixelOffset = bmp::kFileHeaderSize + bmp::kInfoHeaderSize + layout.paletteBytes;
  // At most 2^28 pixels of 4 bytes plus padding: always inside 32 bits.
  layout.imageSize =
      static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(picture.Height()));
  layout.fileSize = layout.pixelOffset + layout.imageSize;
  return layout;
}

void PutFileHeader(std::uint8_t* out, const Layout& layout) {
  StoreLE16(out, bmp::kSignature);
  StoreLE32(out + bmp::kFileSizeAt, layout.fileSize);
  StoreLE32(out + bmp::kPixelOffsetAt, layout.pixelOffset);
}

void PutInfoHeader(std::uint8_t* out, const Layout& layout, const Picture& picture) {
  StoreLE32(out, bmp::kInfoHeaderSize);
  StoreLE32(out + bmp::kWidthAt, static_cast<std::uint32_t>(picture.Width()));
  // A positive height: rows are stored bottom-up.
  StoreLE32(out + bmp::kHeightAt, static_cast<std::uint32_t>(picture.Height()));
  StoreLE16(out + bmp::kPlanesAt, 1);
  StoreLE16(out + bmp::kBitCountAt, layout.bitsPerPixel);
  StoreLE32(out + bmp::kCompressionAt, bmp::kRgb);
  StoreLE32(out + bmp::kImageSizeAt, layout.imageSize);
  StoreLE32(out + bmp::kColorsUsedAt, layout.paletteBytes / 4);
}

// Blue, green, red and the flags byte in the entry's reserved byte, so the
// flags survive a round trip.
void PutPalette(std::uint8_t* out, const Palette& palette) {
  for (const PaletteEntry& entry : palette) {
    out[0] = entry.blue;
    out[1] = entry.green;
    out[2] = entry.red;
    out[3] = entry.flags;
    out += 4;
  }
}

// Everything before the pixel data.
std::vector<std::uint8_t> Head(const Layout& layout, const Picture& picture) {
  std::vector<std::uint8_t> head(layout.pixelOffset);
  PutFileHeader(head.data(), layout);
  PutInfoHeader(head.data() + bmp::kFileHeaderSize, layout, picture);
  if (layout.paletteBytes != 0)
    PutPalette(head.data() + bmp::kFileHeaderSize + bmp::kInfoHeaderSize, picture.GetPalette());
  return head;
}

// Stored rows [first, first + count) into `out`, each padded with zeros.
// Stored row 0 is the bottom row of the picture.
void PutRows(std::uint8_t* out, const Layout& layout, const Picture& picture, int first,
             int count) {
  const std::size_t rowBytes = picture.RowBytes();
  for (int stored = first; stored < first + count; ++stored) {
    std::memcpy(out, picture.Row(picture.Height() - 1 - stored), rowBytes);
    std::memset(out + rowBytes, 0, layout.stride - rowBytes);
    out += layout.stride;
  }
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const Picture& picture) {
  const Layout layout = PlanLayout(picture);
  std::vector<std::uint8_t> file = Head(layout, picture);
  // Appending row by row touches each new byte once; sizing first would clear
  // the whole buffer before the rows overwrite it.
  file.reserve(layout.fileSize);
  const std::size_t rowBytes = picture.RowBytes();
  for (int y = picture.Height() - 1; y >= 0; --y) {
    file.insert(file.end(), picture.Row(y), picture.Row(y) + rowBytes);
    file.insert(file.end(), layout.stride - rowBytes, 0);
  }
  return file;
}

namespace {

[[noreturn]] void FailWrite(const std::string& path, const std::string& reason) {
  throw BmpWriteError("cannot write BMP file \"" + path + "\": " + reason);
}

// ".name.<process>-<serial>-<clock>.tmp": unique enough that O_EXCL rarely
// has to try again, and hidden from file dialogs meanwhile.
std::string HiddenName(const std::string& fileName, unsigned serial) {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string name(".");
  name += fileName;
  name += '.';
  name += std::to_string(::getpid());
  name += '-';
  name += std::to_string(serial);
  name += '-';
  name += std::to_string(ticks % 1000000);
  name += ".tmp";
  return name;
}

// A file beside the target that is removed again unless it was renamed into
// place, so a failure at any step leaves nothing behind.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& target, const std::string& shownPath)
      : shownPath_(shownPath) {
    static unsigned serial = 0;
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      path_ = (folder / HiddenName(target.filename().string(), ++serial)).string();
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) FailWrite(shownPath_, std::strerror(errno));
    }
    if (fd_ < 0) FailWrite(shownPath_, "no free name for a temporary file");
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // The replaced file's permissions carry over; where the file system cannot
  // hold them, the default ones do as well.
  void CopyModeFrom(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
      (void)::fchmod(fd_, info.st_mode & 07777);
  }

  void Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) FailWrite(shownPath_, std::strerror(errno));
      bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
  }

  // Flushes and closes; a late write error (full disk, network file system)
  // shows up here and must not be lost.
  void Finish() {
    if (::fsync(fd_) != 0) FailWrite(shownPath_, std::strerror(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) FailWrite(shownPath_, std::strerror(errno));
  }

  void RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) FailWrite(shownPath_, std::strerror(errno));
    renamed_ = true;
  }

 private:
  std::string shownPath_;
  std::string path_;
  int fd_ = -1;
  bool renamed_ = false;
};

// Makes the rename itself durable. Not every file system can sync a folder;
// the file is in place either way, so a refusal here is not a failure.
void SyncFolder(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteBmpFile(const Picture& picture, const std::string& path) {
  const std::filesystem::path target(path);
  if (!target.has_filename()) FailWrite(path, "the path names no file");
  const Layout layout = PlanLayout(picture);
  TemporaryFile temporary(target, path);
  temporary.CopyModeFrom(path);
  temporary.Write(Head(layout, picture));
  // Rows go out through a small buffer: a whole-file copy in memory would
  // cost more than the write itself.
  const int rowsPerChunk =
      static_cast<int>(std::max<std::uint32_t>(1, kChunkBytes / layout.stride));
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(rowsPerChunk) * layout.stride);
  for (int first = 0; first < picture.Height(); first += rowsPerChunk) {
    const int count = std::min(rowsPerChunk, picture.Height() - first);
    PutRows(chunk.data(), layout, picture, first, count);
    temporary.Write({chunk.data(), static_cast<std::size_t>(count) * layout.stride});
  }
  temporary.Finish();
  temporary.RenameTo(path);
  SyncFolder(target);
}

}  // namespace hushlake
