#pragma once
// A file's bytes, read-only and where they lie (a mapping of the file), for
// a reader that needs only some of them or reads them once: no copy of the
// file is made. While the view lives the file may still be cut short by
// another program; Read tells the reader so instead of ending the process.
#include <cstdint>
#include <functional>
#include <span>

namespace hushlake {

class FileView {
 public:
  virtual ~FileView() = default;
  // The file's bytes as they were when the view was made. Only Read may
  // look at them.
  virtual std::span<const std::uint8_t> Bytes() const = 0;
  // Runs Reader, which may look at Bytes. Should the file shrink meanwhile,
  // the bytes it lost read as zero and, once Reader is done, Read raises
  // std::runtime_error naming the file: what Reader made of them is wrong.
  virtual void Read(const std::function<void()>& reader) const = 0;
  // Fills Into with the file's bytes from Offset on as the file holds them
  // now, for a reader that copies them anyway (no page of the view is
  // touched). Raises std::runtime_error naming the file when they are no
  // longer there.
  virtual void ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
};

}  // namespace hushlake
