#pragma once
// Fakes of the ports in app/ports.h, one of each, for every test of the
// logic and of the windows: they record what they show and ask, answer as
// the test tells them, and keep files in memory.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/ports.h"
#include "stego/picture/bmp/bmp_codec.h"

namespace hushlake::fakes {

struct Message {
  std::string kind;  // "information", "error" or "confirmation"
  std::string text;
  bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* os) {
  *os << m.kind << ": \"" << m.text << "\"";
}

// Message boxes that record what they show; a confirmation answers Answer.
class FakeMessages : public MessageBoxes {
 public:
  void ShowInformation(std::string_view text) override { Record("information", text); }
  void ShowError(std::string_view text) override { Record("error", text); }
  bool AskConfirmation(std::string_view text) override {
    Record("confirmation", text);
    return answer;
  }
  std::vector<Message> shown;
  bool answer = true;
  // Runs while each message is up, to look at what is behind it.
  std::function<void(const Message&)> whileShown;

 protected:
  // For a fake that records more about each message (the windows' pointer).
  virtual void Recorded(const Message&) {}

 private:
  void Record(const char* kind, std::string_view text) {
    shown.push_back({kind, std::string(text)});
    if (whileShown) whileShown(shown.back());
    Recorded(shown.back());
  }
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

// Files in memory, by name.
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

// Both dialogs answer from Answers in turn, then Answer (none: cancelled),
// and record what they were run with.
class FakeDialogs : public FileDialogs {
 public:
  std::optional<std::string> RunOpenDialog(const FileDialogSettings& dialog) override {
    return Run("open", dialog);
  }
  std::optional<std::string> RunSaveDialog(const FileDialogSettings& dialog) override {
    return Run("save", dialog);
  }
  std::deque<std::optional<std::string>> answers;
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
    if (answers.empty()) return answer;
    std::optional<std::string> next = std::move(answers.front());
    answers.pop_front();
    return next;
  }
};

}  // namespace hushlake::fakes
