#pragma once
// A file mapped read-only into memory, unmapped when the object dies: the
// local file system's FileView. Its pixels are best copied out of the file
// (see PixelBytesReader) by a reader of scattered positions.
#include <string>

#include "app/file_view.h"
#include "crypto/file_descriptor.h"
#include "stego/pixel_bytes_reader.h"

namespace hushlake {

class MappedFile : public FileView, public PixelBytesReader {
 public:
  // Raises std::runtime_error naming the file when it cannot be opened or
  // mapped, is not a regular file, or is larger than any picture this tool
  // reads (kBmpMaxFileBytes).
  explicit MappedFile(const std::string& path);
  ~MappedFile() override;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const std::uint8_t> Bytes() const override;
  void Read(const std::function<void()>& reader) const override;
  void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const override;
  // ReadAt of the bytes that Bytes shows from From on.
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override;

 private:
  std::string path_;
  FileDescriptor file_;
  void* start_ = nullptr;
  std::size_t length_ = 0;
};

}  // namespace hushlake
