// The text editor, help and about windows behind the interface the main
// window uses.
#include "windows/companion_windows.h"

#include "windows/about_form.h"
#include "windows/help_form.h"
#include "windows/qt_editor_settings.h"
#include "windows/text_form.h"

namespace hushlake {
namespace {

void BringForward(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

// The windows are members: they go with this object, which the owner keeps
// until its own end, and then leave the owner's children on their own.
class EditorCompanions : public CompanionWindows {
 public:
  EditorCompanions(QWidget* owner, CompanionPorts ports)
      : help_(owner),
        about_(owner),
        editor_(TextFormPorts{settings_, ports.files, ports.messages, ports.dialogs}, owner) {}

  TextEditorPort& Editor() override { return editor_; }
  QWidget& EditorWindow() override { return editor_; }
  void ShowHelp() override { BringForward(help_); }
  void ShowAbout() override { BringForward(about_); }
  void OnEditorTextChanged(std::function<void()> handler) override {
    QObject::connect(&editor_, &TTextForm::EditorTextChanged, &editor_, std::move(handler));
  }

 private:
  QtEditorSettings settings_;
  THelpForm help_;
  TAboutForm about_;
  TTextForm editor_;
};

}  // namespace

std::unique_ptr<CompanionWindows> CreateCompanionWindows(QWidget* owner, CompanionPorts ports) {
  return std::make_unique<EditorCompanions>(owner, ports);
}

}  // namespace hushlake
