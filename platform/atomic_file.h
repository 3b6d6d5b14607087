#pragma once
// Replacing a file as a whole or not at all: the bytes go to a temporary
// file beside the target, are flushed to disk, and the temporary file is then
// renamed over the target. On any failure the old file is untouched and no
// temporary file is left behind. By default only a file that was there when
// the save began is replaced (the caller has asked about that one): a file
// that appears under the name while the save runs (another save, another
// program) is kept, and the save fails with EFileExists. While it is
// written the temporary file is locked (flock), which tells every sweep of
// leftovers, in any process namespace or on any host sharing the folder,
// that it is in use.
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

// The save found a file under its name that was not there when it began.
class EFileExists : public EFileWrite {
 public:
  explicit EFileExists(const std::string& path) : EFileWrite(FileExistsMessage(path)) {}
  // "The file "PATH" exists"
  static std::string FileExistsMessage(const std::string& path) {
    return "The file \"" + path + "\" exists";
  }
};

// Who may read the new file: as the replaced file allowed (else as the
// process's umask allows), or its owner alone (a file of plain text).
enum class FileAccess { AsReplaced, OwnerOnly };

// Which file under the target's name the save may replace: the one there
// when the save began (a caller that has just asked about it), none, or
// whatever is there when it ends.
enum class Replacing { PresentAtStart, Nothing, Anything };

class AtomicFileWriter {
 public:
  // Raises EFileWrite when the folder cannot take a new file.
  explicit AtomicFileWriter(const std::string& path, FileAccess access = FileAccess::AsReplaced,
                            Replacing replacing = Replacing::PresentAtStart);
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
  bool mayReplace_ = false;  // the target was there when the save began
  std::unique_ptr<TemporaryFile> temporary_;
};

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// A file that holds plain text: its owner's alone (permissions 0600, whatever
// the replaced file had), whole or not at all.
void WritePrivateFile(const std::string& path, std::string_view bytes,
                      Replacing replacing = Replacing::PresentAtStart);

}  // namespace hushlake
