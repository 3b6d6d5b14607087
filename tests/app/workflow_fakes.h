#pragma once
// Fakes of the platform around the main window's logic: they record what the
// logic shows and asks, and keep files in memory.
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "tests/common/random_picture.h"

namespace hushlake::workflow_test {

struct Message {
  std::string kind;  // "information", "error" or "confirmation"
  std::string text;
  bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* os) {
  *os << m.kind << ": \"" << m.text << "\"";
}

class FakeMessages : public MessageBoxes {
 public:
  void ShowInformation(std::string_view text) override {
    shown.push_back({"information", std::string(text)});
  }
  void ShowError(std::string_view text) override { shown.push_back({"error", std::string(text)}); }
  bool AskConfirmation(std::string_view text) override {
    shown.push_back({"confirmation", std::string(text)});
    return answer;
  }
  std::vector<Message> shown;
  bool answer = true;
};

class FakeEditor : public TextEditorPort {
 public:
  std::string Text() const override { return text; }
  void ReplaceText(const std::string& replacement) override { text = replacement; }
  void SetImageCapacity(int characters) override { capacity = characters; }
  void ShowEditor() override { ++shows; }
  void FocusEditor() override { ++focuses; }
  std::string text;
  int capacity = -1;
  int shows = 0;
  int focuses = 0;
};

class FakeKeyField : public KeyFieldPort {
 public:
  std::string KeyText() const override { return text; }
  void SetKeyText(const std::string& replacement) override { text = replacement; }
  void FocusKeyField() override { ++focuses; }
  std::string text;
  int focuses = 0;
};

class FakeSettings : public SettingsStore {
 public:
  bool HasKey(std::string_view key) const override { return keys.count(std::string(key)) > 0; }
  void CreateKey(std::string_view key) override {
    keys[std::string(key)] = true;
    ++creations;
  }
  std::map<std::string, bool> keys;
  int creations = 0;
};

class FakeFiles : public FileStore {
 public:
  bool Exists(const std::string& path) const override { return files.count(path) > 0; }
  std::vector<std::uint8_t> ReadAll(const std::string& path) const override {
    return files.at(path);
  }
  void WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) override {
    files[path].assign(bytes.begin(), bytes.end());
    ++writes;
  }
  void PutPicture(const std::string& path, const Picture& picture) {
    files[path] = WriteBmp(picture);
  }
  Picture PictureAt(const std::string& path) const { return ReadBmp(files.at(path)).picture; }
  std::string TextAt(const std::string& path) const {
    const auto& bytes = files.at(path);
    return std::string(bytes.begin(), bytes.end());
  }
  std::map<std::string, std::vector<std::uint8_t>> files;
  int writes = 0;
};

// Both dialogs answer Answer (none: cancelled) and record what they were run with.
class FakeDialogs : public FileDialogs {
 public:
  std::optional<std::string> RunOpenDialog(const FileDialogSettings& dialog) override {
    return Run("open", dialog);
  }
  std::optional<std::string> RunSaveDialog(const FileDialogSettings& dialog) override {
    return Run("save", dialog);
  }
  std::optional<std::string> answer;
  std::vector<std::string> kinds;  // "open" or "save", one per run
  std::vector<std::string> titles;
  std::vector<FileDialogSettings> settings;
  std::vector<std::string> proposedNames;  // kept: a settings' views may end with the run

 private:
  std::optional<std::string> Run(const char* kind, const FileDialogSettings& dialog) {
    kinds.emplace_back(kind);
    titles.emplace_back(dialog.title);
    settings.push_back(dialog);
    proposedNames.emplace_back(dialog.proposedName);
    return answer;
  }
};

// The whole window around one MainWindowLogic, created and shown.
struct Window {
  FakeMessages messages;
  FakeEditor editor;
  FakeKeyField key;
  FakeSettings settings;
  FakeFiles files;
  FakeDialogs dialogs;
  MainWindowLogic logic{MainWindowPorts{messages, editor, key, settings, files, dialogs}};

  Window() {
    logic.FormCreate();
    logic.FormShow();
  }
  void Idle() { logic.EncryptActionListUpdate(); }
  void Open(const std::string& path) {
    logic.OpenPictureAccept(path);
    Idle();
  }
  void Encrypt() {
    Idle();
    logic.EncryptActionExecute();
  }
  void Decrypt() {
    Idle();
    logic.DecryptActionExecute();
  }
  void SaveImageAs(std::optional<std::string> name) {
    dialogs.answer = std::move(name);
    Idle();
    logic.SaveImageActionExecute();
  }
};

// A BMP file of a depth the system does not take (4 or 16 bits), written by hand.
inline std::vector<std::uint8_t> BmpOfDepth(int bitsPerPixel, int width, int height) {
  const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
  const int paletteBytes = bitsPerPixel <= 8 ? 4 * (1 << bitsPerPixel) : 0;
  const int offset = 14 + 40 + paletteBytes;
  std::vector<std::uint8_t> file(static_cast<std::size_t>(offset + stride * height), 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, static_cast<std::uint32_t>(offset));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = static_cast<std::uint8_t>(bitsPerPixel);
  return file;
}

}  // namespace hushlake::workflow_test
