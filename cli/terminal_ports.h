#pragma once
// The main window's ports on a terminal: messages on standard error, the
// editor and key field in memory, dialogs that answer with the paths from
// the command line, and confirmations answered by --force.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/local_file_store.h"
#include "app/ports.h"
#include "crypto/secret.h"

namespace hushlake::cli {

enum class Verbosity { Quiet, Normal, Verbose };

// Errors, and the information boxes that refuse an action, go to standard
// error as "hushlake-cli: " and the window's text. The boxes that report
// success are the window's way of saying "done": the tool says that in one
// short line of its own, so they are shown only when verbose.
class TerminalMessages : public MessageBoxes {
 public:
  // ReplaceFiles answers "replace the existing file?" (Yes only with --force).
  TerminalMessages(bool replaceFiles, Verbosity verbosity)
      : replaceFiles_(replaceFiles), verbosity_(verbosity) {}
  void ShowError(std::string_view message) override;
  void ShowInformation(std::string_view message) override;
  bool AskConfirmation(std::string_view message) override;

  int ErrorCount() const { return errorCount_; }
  bool Shown(std::string_view message) const;
  Verbosity Level() const { return verbosity_; }

  // While held, errors are kept back; Release shows them, leaving out Drop.
  void Hold() { holding_ = true; }
  void Release(std::string_view drop);

 private:
  void Print(std::string_view message);

  bool replaceFiles_;
  Verbosity verbosity_;
  int errorCount_ = 0;
  bool holding_ = false;
  std::vector<std::string> shown_;
  std::vector<std::string> held_;
};

// Prints an error as the tool's: "hushlake-cli: " and the message.
void PrintError(std::string_view message);

class MemoryEditor : public TextEditorPort {
 public:
  std::string Text() const override { return text_; }
  void ReplaceText(const std::string& text) override { text_ = text; }
  void SetImageCapacity(int characters) override { capacity_ = characters; }
  void ShowEditor() override {}
  void FocusEditor() override {}
  int ImageCapacity() const { return capacity_; }

 private:
  std::string text_;
  int capacity_ = 0;
};

// Holds the key; scrubs it when replaced and when it dies.
class MemoryKeyField : public KeyFieldPort {
 public:
  MemoryKeyField() = default;
  MemoryKeyField(const MemoryKeyField&) = delete;
  MemoryKeyField& operator=(const MemoryKeyField&) = delete;
  ~MemoryKeyField() override;
  std::string KeyText() const override { return key_.PlainCopy(); }
  void SetKeyText(const std::string& text) override;
  void FocusKeyField() override {}

 private:
  SecretString key_;
};

// The settings store lives as long as one command.
class MemorySettings : public SettingsStore {
 public:
  bool HasKey(std::string_view key) const override { return keys_.contains(std::string(key)); }
  void CreateKey(std::string_view key) override { keys_.emplace(key); }

 private:
  std::set<std::string> keys_;
};

// The dialogs "choose" the paths given on the command line: every save
// dialog the output path, every open dialog the input path; a dialog without
// a path is cancelled.
class CommandLineDialogs : public FileDialogs {
 public:
  explicit CommandLineDialogs(std::optional<std::string> savePath,
                              std::optional<std::string> openPath = std::nullopt)
      : savePath_(std::move(savePath)), openPath_(std::move(openPath)) {}
  std::optional<std::string> RunOpenDialog(const FileDialogSettings&) override { return openPath_; }
  std::optional<std::string> RunSaveDialog(const FileDialogSettings&) override { return savePath_; }

 private:
  std::optional<std::string> savePath_;
  std::optional<std::string> openPath_;
};

// The picture "-" reaches the window under this name: one that no file can
// have (nothing can be created in /dev/fd) and that ends as a BMP name does.
inline constexpr std::string_view StandardInputPicture = "/dev/fd/0/standard input.bmp";

// The file store with standard input as one more file.
class TerminalFileStore : public LocalFileStore {
 public:
  bool Exists(const std::string& path) const override;
  std::vector<std::uint8_t> ReadAll(const std::string& path) const override;
  PictureReadResult ReadPicture(const std::string& path) const override;
  std::optional<PictureInPlace> ViewPicture(const std::string& path) const override;
};

}  // namespace hushlake::cli
