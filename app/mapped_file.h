#pragma once
// A file mapped read-only into memory, unmapped when the object dies: the
// local file system's FileView. The file stays open as well, for a reader
// of scattered bytes to copy them (see PixelBytesReader) rather than fault
// in the pages that hold them.
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
  // Copies mapped bytes from the file itself. Bytes the file no longer holds
  // read as zero, and the Read around the copy then raises its error.
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const override;

 private:
  std::string path_;
  FileDescriptor file_{-1};
  mutable bool copiedShort_ = false;
  void* start_ = nullptr;
  std::size_t length_ = 0;
};

}  // namespace hushlake
