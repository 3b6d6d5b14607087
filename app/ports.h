#pragma once
// What the main window's logic needs from the desktop around it, as small
// interfaces: the Qt layer implements them, the command-line tool has its
// own, and the tests fake them.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_sink.h"
#include "platform/file_view.h"
#include "stego/engine_ports.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"
#include "stego/pixel_view.h"

namespace hushlake {

// A picture file's pixels read where they lie: the view keeps the file's
// bytes that Pixels points into.
struct PictureInPlace {
  std::unique_ptr<FileView> file;
  PixelView pixels;
};

// Modal message boxes: information (OK), error (OK, from MessageSink) and
// confirmation (Yes answers true, No false).
class MessageBoxes : public MessageSink {
 public:
  virtual void ShowInformation(std::string_view message) = 0;
  virtual bool AskConfirmation(std::string_view message) = 0;
};

// The text editor window: its text as UTF-8 (read and replaced as a whole,
// through TextHolder), the capacity it shows, and showing or focusing it.
class TextEditorPort : public TextHolder {
 public:
  virtual void SetImageCapacity(int characters) = 0;
  virtual void ShowEditor() = 0;
  virtual void FocusEditor() = 0;
};

// The key field: what the user typed (UTF-8), replaceable, focusable.
class KeyFieldPort {
 public:
  virtual ~KeyFieldPort() = default;
  virtual std::string KeyText() const = 0;
  virtual void SetKeyText(const std::string& text) = 0;
  virtual void FocusKeyField() = 0;
};

// The per-user settings store.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool HasKey(std::string_view key) const = 0;
  virtual void CreateKey(std::string_view key) = 0;
};

// Files chosen by the user. Writes replace a file whole or not at all.
class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual bool Exists(const std::string& path) const = 0;
  // Raises std::runtime_error with a message naming the file on failure.
  virtual std::vector<std::uint8_t> ReadAll(const std::string& path) const = 0;
  // Reads a BMP or PNG file as a picture (see ReadPicture in
  // stego/picture/picture_files.h); a file that cannot be read is Malformed, with the
  // reason. A store may read the rows straight into the picture instead of
  // holding the whole file in memory.
  virtual PictureReadResult ReadPicture(const std::string& path) const;
  // A picture file's pixels read where they lie, for a reader that only
  // reads them: nullopt when the store does not offer that or the file is
  // not a picture whose rows can be read in place (RLE8 data, other channel
  // masks, PNG, a file ReadPicture would refuse): ReadPicture then reads it,
  // and words any refusal.
  virtual std::optional<PictureInPlace> ViewPicture(const std::string& path) const;
  virtual void WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  // Writes a picture as a BMP file, whole or not at all, keeping what Source
  // kept of the file the picture came from (see stego/picture/bmp/bmp_kept.h). A store
  // may stream the rows instead of holding the whole file in memory.
  virtual void WritePictureAtomically(const std::string& path, const Picture& picture,
                                      const SourceFileInfo& source = {});
  // Writes the BMP file Layout describes, its rows read from Source and
  // changed by Change on the way (see RewriteBmpFile in stego/picture/bmp/bmp_codec.h),
  // whole or not at all. A store may stream the rows band by band.
  virtual void RewritePictureAtomically(const std::string& path, const FileView& source,
                                        const BmpRewriteLayout& layout,
                                        const RowBandChange& change);
};

// A standard file dialog as the main window configures it.
struct FileDialogSettings {
  std::string_view title;
  std::string_view filter;
  std::string_view defaultExtension;
  std::string_view proposedName;
};

// The standard open and save dialogs. Each answers the chosen file name, or
// none when the user cancels.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::string> RunOpenDialog(const FileDialogSettings& dialog) = 0;
  virtual std::optional<std::string> RunSaveDialog(const FileDialogSettings& dialog) = 0;
};

}  // namespace hushlake
