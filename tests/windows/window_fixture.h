#pragma once
// The real main window with its companion windows, on the offscreen
// platform, around ports the test controls: recorded message boxes,
// scripted file dialogs, a settings store in a temporary folder and the
// local file system.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/local_file_store.h"
#include "app/workflow_window.h"
#include "framework/framework.h"
#include "windows/companion_windows.h"
#include "windows/ormwick_form.h"
#include "windows/qt_settings_store.h"

namespace hushlake::window_test {

using workflow_test::BmpOfDepth;
using workflow_test::Message;

// Message boxes that record what they show and the pointer shown meanwhile.
class RecordedMessages : public fakes::FakeMessages {
 public:
  std::vector<Qt::CursorShape> cursors;

 protected:
  void Recorded(const Message&) override {
    const QCursor* cursor = QApplication::overrideCursor();
    cursors.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
  }
};

// The editor as the main window sees it, recording the capacity it is told.
class RecordingEditor : public TextEditorPort {
 public:
  explicit RecordingEditor(TextEditorPort& editor) : editor_(editor) {}
  std::string Text() const override { return editor_.Text(); }
  void ReplaceText(const std::string& text) override { editor_.ReplaceText(text); }
  void SetImageCapacity(int characters) override {
    capacity = characters;
    editor_.SetImageCapacity(characters);
  }
  void ShowEditor() override { editor_.ShowEditor(); }
  void FocusEditor() override { editor_.FocusEditor(); }
  int capacity = -1;

 private:
  TextEditorPort& editor_;
};

class RecordingCompanions : public CompanionWindows {
 public:
  explicit RecordingCompanions(std::unique_ptr<CompanionWindows> real)
      : real_(std::move(real)), editor(real_->Editor()) {}
  TextEditorPort& Editor() override { return editor; }
  QWidget& EditorWindow() override { return real_->EditorWindow(); }
  void ShowHelp() override { real_->ShowHelp(); }
  void ShowAbout() override { real_->ShowAbout(); }
  void OnEditorTextChanged(std::function<void()> handler) override {
    real_->OnEditorTextChanged(std::move(handler));
  }

 private:
  std::unique_ptr<CompanionWindows> real_;

 public:
  RecordingEditor editor;
};

// Settings go to a temporary folder for the whole test program.
inline void UseTemporarySettings(const QTemporaryDir& folder) {
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
  QApplication::setOrganizationName(QString::fromLatin1(SettingsOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(SettingsApplication));
  StartFramework();
}

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

struct WindowUnderTest {
  RecordedMessages messages;
  QtSettingsStore settings;
  LocalFileStore files;
  fakes::FakeDialogs dialogs;  // answers from its queue; an empty queue is a cancel
  TOrmwickForm form{DesktopPorts{messages, settings, files, dialogs}};
  RecordingCompanions* companions = nullptr;

  WindowUnderTest() {
    auto recording = std::make_unique<RecordingCompanions>(
        CreateCompanionWindows(&form, CompanionPorts{messages, dialogs, files}));
    companions = recording.get();
    form.AttachCompanions(std::move(recording));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) qWarning("the main window was not shown");
  }

  QAction* Action(const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); }
  template <class Widget = QWidget>
  Widget* Control(const char* name) {
    return form.findChild<Widget*>(QString::fromLatin1(name));
  }
  void Trigger(const char* name) { Action(name)->trigger(); }
  void Press(const QKeySequence& keys) {
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keySequence(&form, keys);
  }
  void TypeKey(const QString& key) {
    QWidget* field = Control("KeyEdit");
    QTest::keyClicks(field, key);
  }
  void ReplaceKey(const QString& key) {
    auto* field = Control<QLineEdit>("KeyEdit");
    field->clear();
    QTest::keyClicks(field, key);
  }
  // Types into the editor window's text control, as a user would.
  void TypeText(const QString& text) {
    companions->Editor().ShowEditor();
    QWidget* edit = companions->EditorWindow().findChild<QWidget*>(QStringLiteral("TextRichEdit"));
    QTest::keyClicks(edit, text);
  }
  std::string EditorText() { return companions->Editor().Text(); }
  void OpenPicture(const std::string& path) {
    dialogs.answers.push_back(path);
    Trigger("OpenPicture");
  }
  bool Enabled(const char* name) { return Action(name)->isEnabled(); }
};

}  // namespace hushlake::window_test
