#pragma once
// Replacing a file as a whole or not at all: the bytes go to a temporary
// file beside the target, are flushed to disk, and the temporary file is then
// renamed over the target. On any failure the old file is untouched and no
// temporary file is left behind.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace hushlake {

class EFileWrite : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class AtomicFileWriter {
 public:
  // Raises EFileWrite when the folder cannot take a new file.
  explicit AtomicFileWriter(const std::string& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Write(std::span<const std::uint8_t> bytes);
  // The pieces one after the other, gathered into as few writes as may be.
  void Write(std::span<const std::span<const std::uint8_t>> pieces);
  // Puts the new file in place (keeping the replaced file's permissions).
  void Commit();

 private:
  class TemporaryFile;
  std::string path_;
  std::unique_ptr<TemporaryFile> temporary_;
};

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace hushlake
