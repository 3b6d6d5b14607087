#pragma once
// What the window tests share: a settings store in a temporary folder, and
// fakes of the message boxes and file dialogs that record what they were asked.
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>
#include <string>
#include <vector>

#include "app/ports.h"

namespace hushlake::window_test {

// Points every QSettings of the process at a fresh folder for its lifetime.
class TemporarySettings {
 public:
  TemporarySettings() {
    QStandardPaths::setTestModeEnabled(true);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
      QSettings::setPath(format, QSettings::UserScope, folder_.path());
    }
  }
  QString Folder() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

class RecordingMessages : public MessageBoxes {
 public:
  void ShowInformation(std::string_view text) override {
    shown.push_back("information: " + std::string(text));
  }
  void ShowError(std::string_view text) override { shown.push_back("error: " + std::string(text)); }
  bool AskConfirmation(std::string_view text) override {
    shown.push_back("confirmation: " + std::string(text));
    return answer;
  }
  std::vector<std::string> shown;
  bool answer = true;
};

class AnsweringDialogs : public FileDialogs {
 public:
  std::optional<std::string> RunOpenDialog(const FileDialogSettings& dialog) override {
    titles.emplace_back(dialog.title);
    return answer;
  }
  std::optional<std::string> RunSaveDialog(const FileDialogSettings& dialog) override {
    titles.emplace_back(dialog.title);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<std::string> titles;
};

}  // namespace hushlake::window_test
