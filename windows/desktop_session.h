#pragma once
// The desktop application as the program starts it: the application's names,
// then the main window, the help window, the about window and the text editor
// window, created in this order, with the platform services they use. Each
// window's dialogs and message boxes belong to that window, so that one
// raised by the editor comes up over the editor and not behind it.
#include <memory>

#include "app/local_file_store.h"
#include "windows/ormwick_form.h"
#include "windows/qt_file_dialogs.h"
#include "windows/qt_message_boxes.h"
#include "windows/qt_settings_store.h"

namespace hushlake {

// Organisation, application name and version, and the desktop entry the
// windows belong to. No display name: the platform would add it to every
// window's caption.
void NameTheApplication();

class DesktopSession {
 public:
  DesktopSession();
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  TOrmwickForm& MainForm() { return *mainForm_; }

 private:
  QtMessageBoxes messages_;
  QtSettingsStore settings_;
  LocalFileStore files_;
  QtFileDialogs dialogs_;
  QtMessageBoxes editorMessages_;
  QtFileDialogs editorDialogs_;
  // Last: the windows go before the services they use.
  std::unique_ptr<TOrmwickForm> mainForm_;
};

}  // namespace hushlake
