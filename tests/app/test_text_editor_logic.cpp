// The text editor's length line, edit rules and file handling, without a window.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "app/text_editor_logic.h"
#include "tests/common/case_names.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using workflow_test::FakeFiles;
using workflow_test::FakeMessages;
using workflow_test::Message;

TEST(TextLengthStatus, WithoutPictureCountsCharacters) {
  EXPECT_EQ(TextLengthStatus("abc", 0), "Text Length: 3");
  EXPECT_EQ(TextLengthStatus("", 0), "Text Length: 0");
  EXPECT_EQ(TextLengthStatus("abc", -5), "Text Length: 3");
}

struct CountCase {
  std::string_view text;
  int characters;
  int lines;
};

void PrintTo(const CountCase& c, std::ostream* out) { *out << test::TextName(c.text); }

class EditorCounts : public testing::TestWithParam<CountCase> {};

TEST_P(EditorCounts, CharactersAndLines) {
  EXPECT_EQ(EditorCharacterCount(GetParam().text), GetParam().characters);
  EXPECT_EQ(EditorLineCount(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorCounts,
    testing::Values(CountCase{"", 0, 0}, CountCase{"abc", 3, 1}, CountCase{"ab\nc", 5, 2},
                    CountCase{"ab\r\nc", 5, 2}, CountCase{"ab\rc", 5, 2}, CountCase{"ab\n", 4, 1},
                    CountCase{"\n", 2, 1}, CountCase{"\n\n", 4, 2}, CountCase{"a\n\nb", 6, 3},
                    // Non-ASCII characters count once, whatever their UTF-8 length.
                    CountCase{"\xC3\xA9t\xC3\xA9", 3, 1},
                    CountCase{"\xE2\x82\xAC\n\xF0\x9F\x98\x80", 4, 2}),
    test::ByPrintedParam());

TEST(TextLengthStatus, TheDocumentedExamples) {
  // Two lines of two and one characters: 5 characters with the line break.
  EXPECT_EQ(TextLengthStatus("ab\nc", 1000), "Text length: 5 out of 996 possible");
  EXPECT_EQ(TextLengthStatus("ab\r\nc", 1000), "Text length: 5 out of 996 possible");
  EXPECT_EQ(TextLengthStatus("x", 1), "Text length: 1 out of -1 possible");
  // More lines than half the capacity: the figure goes below zero with its sign.
  EXPECT_EQ(TextLengthStatus("a\nb\nc\nd", 4), "Text length: 10 out of -4 possible");
}

TEST(EditControlsFor, SelectionAndClipboardDecideIndependently) {
  EXPECT_EQ(EditControlsFor(false, false), (EditControls{false, false}));
  EXPECT_EQ(EditControlsFor(true, false), (EditControls{true, false}));
  EXPECT_EQ(EditControlsFor(false, true), (EditControls{false, true}));
  EXPECT_EQ(EditControlsFor(true, true), (EditControls{true, true}));
}

struct EditorFixture : testing::Test {
  StringTextHolder editor;
  FakeFiles files;
  FakeMessages messages;
  TextEditorLogic logic{{editor, files, messages}};
  void PutFile(const std::string& path, std::string_view bytes) {
    files.files[path].assign(bytes.begin(), bytes.end());
  }
};

TEST_F(EditorFixture, StatusFollowsCapacityAndMarksTheTextChanged) {
  editor.ReplaceText("abc");
  EXPECT_FALSE(logic.TextChanged());
  EXPECT_EQ(logic.TextRichEditChange(), "Text Length: 3");
  EXPECT_TRUE(logic.TextChanged());
  logic.SetImageCapacity(1000);
  editor.ReplaceText("ab\r\nc");
  EXPECT_EQ(logic.TextRichEditChange(), "Text length: 5 out of 996 possible");
}

TEST_F(EditorFixture, UndoNeedsAChangeSinceShowingAndAStepToTakeBack) {
  logic.TextRichEditChange();
  EXPECT_TRUE(logic.UndoEnabled(true));
  EXPECT_FALSE(logic.UndoEnabled(false));
  logic.FormShow();
  EXPECT_FALSE(logic.UndoEnabled(true));
  logic.TextRichEditChange();
  EXPECT_TRUE(logic.UndoEnabled(true));
}

TEST_F(EditorFixture, OpenReplacesTheTextAndAMissingFileChangesNothing) {
  editor.ReplaceText("kept");
  logic.FileOpen1Accept("/missing.txt");
  EXPECT_EQ(editor.Text(), "kept");
  PutFile("/note.txt", "\xEF\xBB\xBFline one\r\nline two");
  logic.FileOpen1Accept("/note.txt");
  EXPECT_EQ(editor.Text(), "line one\r\nline two");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditorFixture, SaveWritesCrLfLinesAndAsksBeforeReplacing) {
  editor.ReplaceText("one\ntwo");
  logic.FileSaveAs1Accept("/out.txt");
  EXPECT_EQ(files.TextAt("/out.txt"), "one\r\ntwo");
  EXPECT_EQ(messages.shown, (std::vector<Message>{{"information", "File Saved"}}));

  messages.shown.clear();
  messages.answer = false;
  editor.ReplaceText("changed");
  logic.FileSaveAs1Accept("/out.txt");
  EXPECT_EQ(files.TextAt("/out.txt"), "one\r\ntwo");
  EXPECT_EQ(messages.shown, (std::vector<Message>{{"confirmation", "Replace Existing File?"}}));

  messages.shown.clear();
  messages.answer = true;
  logic.FileSaveAs1Accept("/out.txt");
  EXPECT_EQ(files.TextAt("/out.txt"), "changed");
  EXPECT_EQ(messages.shown.back(), (Message{"information", "File Saved"}));
}

TEST_F(EditorFixture, SavingAnEmptyTextDoesNothing) {
  PutFile("/out.txt", "old");
  logic.FileSaveAs1Accept("/out.txt");
  logic.FileSaveAs1Accept("/new.txt");
  EXPECT_EQ(files.writes, 0);
  EXPECT_FALSE(files.Exists("/new.txt"));
  EXPECT_TRUE(messages.shown.empty());
}

class FailingFiles : public FakeFiles {
 public:
  void WriteAtomically(const std::string& path, std::span<const std::uint8_t>) override {
    throw std::runtime_error("Cannot write " + path);
  }
  std::vector<std::uint8_t> ReadAll(const std::string& path) const override {
    throw std::runtime_error("Cannot read " + path);
  }
};

TEST(TextEditorLogicErrors, FileErrorsAreReportedAndKeepTheText) {
  StringTextHolder editor("kept");
  FailingFiles files;
  files.files["/there.txt"] = {'x'};
  FakeMessages messages;
  TextEditorLogic logic{{editor, files, messages}};
  logic.FileOpen1Accept("/there.txt");
  logic.FileSaveAs1Accept("/new.txt");
  EXPECT_EQ(editor.Text(), "kept");
  EXPECT_EQ(messages.shown, (std::vector<Message>{{"error", "Cannot read /there.txt"},
                                                  {"error", "Cannot write /new.txt"}}));
}

}  // namespace
}  // namespace hushlake
