#pragma once
// The text editor window's behaviour without the window: the length line,
// the rules that enable its edit actions, and opening and saving its text.
#include <string>
#include <string_view>

#include "app/ports.h"

namespace hushlake {

namespace editor_texts {
inline constexpr std::string_view Caption = "Hushlake - Text Editor";
inline constexpr FileDialogSettings OpenDialog{
    "Open File for encryption",
    "All Supported|*.txt;*.htm;*.html|HTM (*.htm)|*.htm|HTML(*.html)|*.html|Text File "
    "(*.txt)|*.txt",
    "*.txt", ""};
inline constexpr FileDialogSettings SaveDialog{
    "Save decrypted file", "Text File (*.txt)|*.txt|HTM(*.htm)|*.htm|HTML(*.html)|*.html", "*.txt",
    "Decrypted Text"};
inline constexpr std::string_view FileSaved = "File Saved";
inline constexpr std::string_view ReplaceFile = "Replace Existing File?";
}  // namespace editor_texts

// The number of characters the editor reports for its text: every character
// once and every line break (LF, CR or CR LF) as the two characters CR LF.
int EditorCharacterCount(std::string_view utf8Text);

// The editor's lines: an empty text has none, and a final line break starts
// no line of its own. Wrapping at the window edge makes no extra lines, so
// the figure does not change with the window's width.
int EditorLineCount(std::string_view utf8Text);

// The status line: "Text Length: N" without a picture, otherwise
// "Text length: N out of M possible" where M, the capacity less two per
// line, may be negative.
std::string TextLengthStatus(std::string_view utf8Text, int imageCapacity);

struct EditControls {
  bool copyCutDelete = false;
  bool paste = false;
  bool operator==(const EditControls&) const = default;
};

EditControls EditControlsFor(bool hasSelection, bool clipboardHasText);

// The editor's state and handlers; the window forwards its events here.
class TextEditorLogic {
 public:
  struct Ports {
    TextHolder& editor;
    FileStore& files;
    MessageBoxes& messages;
  };
  explicit TextEditorLogic(Ports ports) : ports_(ports) {}

  int ImageCapacity() const { return imageCapacity_; }
  void SetImageCapacity(int characters) { imageCapacity_ = characters; }

  // Showing the window starts a new undo history.
  void FormShow() { textChanged_ = false; }
  // Returns the new status line.
  std::string TextRichEditChange();
  bool TextChanged() const { return textChanged_; }
  // Undo offers itself only after a change since showing, and only while the
  // editor has a step to take back.
  bool UndoEnabled(bool editorCanUndo) const { return textChanged_ && editorCanUndo; }
  bool HasText() const { return !ports_.editor.Text().empty(); }

  // After the dialogs. A missing file changes nothing; an unreadable or
  // unwritable one is reported and changes nothing either.
  void FileOpen1Accept(const std::string& fileName);
  void FileSaveAs1Accept(const std::string& fileName);

 private:
  Ports ports_;
  int imageCapacity_ = 0;
  bool textChanged_ = false;
};

}  // namespace hushlake
