#include "app/text_editor_logic.h"

#include <exception>
#include <span>
#include <vector>

#include "app/text_encoding.h"
#include "app/utf8.h"

namespace hushlake {
int EditorCharacterCount(std::string_view utf8Text) {
  int count = 0;
  for (std::size_t i = 0; i < utf8Text.size(); ++i) {
    const char c = utf8Text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') ++i;
      count += 2;
    } else if (!IsContinuationByte(c)) {
      ++count;
    }
  }
  return count;
}

int EditorLineCount(std::string_view utf8Text) {
  if (utf8Text.empty()) return 0;
  int breaks = 0;
  for (std::size_t i = 0; i < utf8Text.size(); ++i) {
    const char c = utf8Text[i];
    if (c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') continue;
    if (c == '\r' || c == '\n') ++breaks;
  }
  const char last = utf8Text.back();
  const bool endsWithBreak = last == '\r' || last == '\n';
  return endsWithBreak ? breaks : breaks + 1;
}

std::string TextLengthStatus(std::string_view utf8Text, int imageCapacity) {
  const int characters = EditorCharacterCount(utf8Text);
  if (imageCapacity < 1) return "Text Length: " + std::to_string(characters);
  // In 64 bits: a huge text against a huge capacity must not wrap around.
  const long long possible = static_cast<long long>(imageCapacity) -
                             2LL * static_cast<long long>(EditorLineCount(utf8Text));
  return "Text length: " + std::to_string(characters) + " out of " + std::to_string(possible) +
         " possible";
}

EditControls EditControlsFor(bool hasSelection, bool clipboardHasText) {
  return EditControls{hasSelection, clipboardHasText};
}

std::string TextEditorLogic::TextRichEditChange() {
  textChanged_ = true;
  return TextLengthStatus(ports_.editor.Text(), imageCapacity_);
}

void TextEditorLogic::FileOpen1Accept(const std::string& fileName) {
  try {
    if (!ports_.files.Exists(fileName)) return;
    const std::vector<std::uint8_t> bytes = ports_.files.ReadAll(fileName);
    ports_.editor.ReplaceText(TextFileToEditorText(std::string(bytes.begin(), bytes.end())));
  } catch (const std::exception& error) {
    ports_.messages.ShowError(error.what());
  }
}

void TextEditorLogic::FileSaveAs1Accept(const std::string& fileName) {
  if (!HasText()) return;
  try {
    if (ports_.files.Exists(fileName) &&
        !ports_.messages.AskConfirmation(editor_texts::ReplaceFile))
      return;
    const std::string bytes = EditorTextToTextFile(ports_.editor.Text());
    ports_.files.WriteAtomically(
        fileName, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ports_.messages.ShowInformation(editor_texts::FileSaved);
  } catch (const std::exception& error) {
    ports_.messages.ShowError(error.what());
  }
}

}  // namespace hushlake
