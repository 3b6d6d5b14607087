#pragma once
// The windows the main window opens: the text editor, the help window and
// the about window. The main window reaches them only through this
// interface, so it does not depend on how they are built.
#include <QWidget>
#include <functional>
#include <memory>

#include "app/ports.h"

namespace hushlake {

class CompanionWindows {
 public:
  virtual ~CompanionWindows() = default;
  virtual TextEditorPort& Editor() = 0;
  virtual QWidget& EditorWindow() = 0;
  virtual void ShowHelp() = 0;
  virtual void ShowAbout() = 0;
  // Handler runs after every change of the editor's text, by the user or
  // through the port.
  virtual void OnEditorTextChanged(std::function<void()> handler) = 0;
};

// What the companion windows use of the platform.
struct CompanionPorts {
  MessageBoxes& messages;
  FileDialogs& dialogs;
  FileStore& files;
};

// Creates the help window, the about window and the text editor window, in
// this order, all hidden; Owner is the main window.
std::unique_ptr<CompanionWindows> CreateCompanionWindows(QWidget* owner, CompanionPorts ports);

}  // namespace hushlake
