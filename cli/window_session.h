#pragma once
// One main window without a window: the workflow logic wired to the
// terminal ports, created and shown as the desktop creates and shows it.
#include <optional>
#include <string>

#include "app/main_window_logic.h"
#include "cli/terminal_ports.h"

namespace hushlake::cli {

class WindowSession {
 public:
  // SavePath answers the save dialogs; Force answers "replace?" with Yes.
  WindowSession(std::optional<std::string> savePath, bool force);

  MainWindowLogic& Window() { return window_; }
  TerminalMessages& Messages() { return messages_; }
  MemoryEditor& Editor() { return editor_; }
  MemoryKeyField& KeyField() { return keyField_; }
  FileStore& Files() { return files_; }

  // Open Img with Path; raises Refusal when no picture got loaded.
  void OpenPicture(const std::string& path);
  // Shows the window's hint when the algorithm lists are disabled (8 bits).
  void NoteDisabledChoice();

 private:
  TerminalMessages messages_;
  MemoryEditor editor_;
  MemoryKeyField keyField_;
  MemorySettings settings_;
  LocalFileStore files_;
  CommandLineDialogs dialogs_;
  MainWindowLogic window_;
};

}  // namespace hushlake::cli
