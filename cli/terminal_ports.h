#pragma once
// The main window's ports on a terminal: messages on standard error, the
// editor and key field in memory, a save dialog that answers with the path
// from the command line, and confirmations answered by --force.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/local_file_store.h"
#include "app/ports.h"

namespace hushlake::cli {

class TerminalMessages : public MessageBoxes {
 public:
  // ReplaceFiles answers "replace the existing file?" (Yes only with --force).
  explicit TerminalMessages(bool replaceFiles) : replaceFiles_(replaceFiles) {}
  void ShowError(std::string_view message) override;
  void ShowInformation(std::string_view message) override;
  bool AskConfirmation(std::string_view message) override;

  int ErrorCount() const { return errorCount_; }
  bool Shown(std::string_view message) const;

 private:
  bool replaceFiles_;
  int errorCount_ = 0;
  std::vector<std::string> shown_;
};

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
  std::string KeyText() const override { return key_; }
  void SetKeyText(const std::string& text) override;
  void FocusKeyField() override {}

 private:
  std::string key_;
};

// The settings store lives as long as one command.
class MemorySettings : public SettingsStore {
 public:
  bool HasKey(std::string_view key) const override { return keys_.contains(std::string(key)); }
  void CreateKey(std::string_view key) override { keys_.emplace(key); }

 private:
  std::set<std::string> keys_;
};

// Every save dialog "chooses" the output path given on the command line;
// without one it is cancelled.
class FixedSaveDialog : public FileDialogs {
 public:
  explicit FixedSaveDialog(std::optional<std::string> path) : path_(std::move(path)) {}
  std::optional<std::string> RunSaveDialog(const FileDialogSettings&) override { return path_; }

 private:
  std::optional<std::string> path_;
};

// Reads a regular file by copying it from a mapping: a picture of tens of
// megabytes arrives in one pass, without the growing copies of a
// byte-by-byte read.
class WholeFileStore : public LocalFileStore {
 public:
  std::vector<std::uint8_t> ReadAll(const std::string& path) const override;
};

}  // namespace hushlake::cli
