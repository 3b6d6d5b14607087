#pragma once
// A file mapped read-only into memory, unmapped when the object dies: the
// local file system's FileView. A reader of scattered positions best copies
// them out of the file (Copy) than loads them through the mapping.
#include <cstdint>
#include <limits>
#include <string>

#include "platform/file_descriptor.h"
#include "platform/file_view.h"

namespace hushlake {

class MappedFile : public FileView {
 public:
  // Raises std::runtime_error naming the file when it cannot be opened or
  // mapped, is not a regular file, or is larger than MaxBytes.
  explicit MappedFile(const std::string& path,
                      std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max());
  ~MappedFile() override;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const std::uint8_t> Bytes() const override;
  void Read(const std::function<void()>& reader) const override;
  void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const override;
  // ReadAt of the bytes that Bytes shows from From on.
  void Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const;

 private:
  std::string path_;
  FileDescriptor file_;
  void* start_ = nullptr;
  std::size_t length_ = 0;
};

}  // namespace hushlake
