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
#include <string_view>

namespace hushlake {

class EFileWrite : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Who may read the new file: as the replaced file allowed (else as the
// process's umask allows), or its owner alone (a file of plain text).
enum class FileAccess { AsReplaced, OwnerOnly };

class AtomicFileWriter {
 public:
  // Raises EFileWrite when the folder cannot take a new file.
  explicit AtomicFileWriter(const std::string& path, FileAccess access = FileAccess::AsReplaced);
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

// A file that holds plain text: its owner's alone (permissions 0600, whatever
// the replaced file had), whole or not at all.
void WritePrivateFile(const std::string& path, std::string_view bytes);

}  // namespace hushlake
