#pragma once
// The text editor window: the text that is hidden in a picture or read back
// from one, with its tool bar, context menu, length line, font and colours.
// The main window drives it through TextEditorPort; closing only hides it.
#include <QMainWindow>
#include <QPlainTextEdit>
#include <array>
#include <optional>
#include <string>

#include "app/editor_ports.h"
#include "app/editor_settings.h"
#include "app/ports.h"
#include "app/text_editor_logic.h"

class QLabel;
class QMenu;
class QToolBar;

namespace hushlake {

class TFindDialog;

// The editor control: plain text, and a dropped file opens instead of being
// pasted in as its name.
class TTextRichEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TTextRichEdit(QWidget* parent);

 Q_SIGNALS:
  void FileDropped(const QString& fileName);
  void MouseReleased();

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

struct TextFormPorts {
  EditorSettingsStore& settings;
  FileStore& files;
  MessageBoxes& messages;
  FileDialogs& dialogs;
};

class TTextForm : public QMainWindow, public TextEditorPort {
  Q_OBJECT

 public:
  explicit TTextForm(TextFormPorts ports, QWidget* owner = nullptr);
  ~TTextForm() override;

  // TextEditorPort: the text as UTF-8 with CR LF line breaks.
  std::string Text() const override;
  void ReplaceText(const std::string& text) override;
  void SetImageCapacity(int characters) override;
  void ShowEditor() override;
  void FocusEditor() override;

  int ImageCapacity() const { return logic_.ImageCapacity(); }
  QString StatusLine() const;
  EditorAppearance Appearance() const { return appearance_; }
  TTextRichEdit* Editor() const { return textRichEdit_; }

  // The handlers after their dialogs, also for the tests.
  void FileOpen1Accept(const QString& fileName);
  void FileSaveAs1Accept(const QString& fileName);
  void FontEdit1Accept(const EditorFont& font);
  void ColorSelect1Accept(BgrColour background);
  // Looks for the next occurrence after the cursor; false when there is none.
  bool FindNext(const QString& text, bool matchCase);

 Q_SIGNALS:
  // After every change of the text, by the user or through the port.
  void EditorTextChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QAction* AddAction(const char* name, const QString& caption, const QString& hint,
                     const QKeySequence& shortcut, const QString& icon);
  void CreateActions();
  void CreateToolBar();
  QToolBar* CreateToolBarRow(const QString& objectName);
  std::array<QAction*, 10> ToolBarActions() const;
  void PutOnToolBar(QToolBar& row, QAction* action);
  void ArrangeToolBars();
  void CreateContextMenu();
  void CreateStatusBar();
  void FormShow();
  void ApplyAppearance();
  void TextRichEditChange();
  void ActionListUpdate();
  void UpdateEditControls();
  void RunOpenDialog();
  void RunSaveDialog();
  void RunFontDialog();
  void RunColourDialog();
  void ShowFindDialog();
  void SearchFindNext(const QString& text, bool matchCase);

  TextFormPorts ports_;
  TextEditorLogic logic_;
  // The text as the port hands it out, made once per change: the length line
  // and the main window's rules all ask for it after every key.
  mutable std::optional<std::string> portText_;
  EditorAppearance appearance_;
  bool placed_ = false;

  TTextRichEdit* textRichEdit_;
  QToolBar* toolBar1_ = nullptr;
  QToolBar* toolBar2_ = nullptr;
  int oneRowWidth_ = 0;
  QMenu* popupMenu1_ = nullptr;
  QLabel* lengthPanel_ = nullptr;
  QLabel* hintPanel_ = nullptr;
  TFindDialog* findDialog_ = nullptr;

  QAction* fileOpen1_ = nullptr;
  QAction* fileSaveAs1_ = nullptr;
  QAction* fontEdit1_ = nullptr;
  QAction* colorSelect1_ = nullptr;
  QAction* editPaste1_ = nullptr;
  QAction* editDelete1_ = nullptr;
  QAction* editUndo1_ = nullptr;
  QAction* editCut1_ = nullptr;
  QAction* editCopy1_ = nullptr;
  QAction* searchFind1_ = nullptr;
};

}  // namespace hushlake
