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
  WindowSession(std::optional<std::string> savePath, bool force, Verbosity verbosity);

  MainWindowLogic& Window() { return window_; }
  TerminalMessages& Messages() { return messages_; }
  MemoryEditor& Editor() { return editor_; }
  MemoryKeyField& KeyField() { return keyField_; }
  FileStore& Files() { return files_; }
  bool Palette() const { return window_.IsPalettePicture(); }

  // Open Img with Path ("-" for standard input); raises Refusal when no
  // picture got loaded. A file the reader could not make sense of is
  // reported with the reader's reason alone, not also as of the wrong depth.
  void OpenPicture(const std::string& path);
  // Tells that the algorithm options do nothing, when the lists are disabled (8 bits).
  void NoteDisabledChoice();

 private:
  void NoteDepth(const std::string& path);
  TerminalMessages messages_;
  MemoryEditor editor_;
  MemoryKeyField keyField_;
  MemorySettings settings_;
  TerminalFileStore files_;
  CommandLineDialogs dialogs_;
  MainWindowLogic window_;
};

}  // namespace hushlake::cli
