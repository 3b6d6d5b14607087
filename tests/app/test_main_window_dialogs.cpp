// Open Img, Open Text and Save Text through the dialog port: the dialog each
// runs, the chosen file reaching its Accept handler, and a cancel that
// leaves everything as it was.
#include <gtest/gtest.h>

#include <stdexcept>

#include "workflow_window.h"

namespace hushlake {
namespace {

using test::RandomPicture;
using workflow_test::Message;
using workflow_test::Window;

struct DialogCase {
  const char* name;
  void (MainWindowLogic::*execute)();
  const char* kind;  // "open" or "save"
  const FileDialogSettings* dialog;
};

void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.name << " (" << c.kind << ")"; }

const DialogCase Cases[] = {
    {"OpenPicture", &MainWindowLogic::OpenPictureExecute, "open", &dialogs::OpenPicture},
    {"FileOpen", &MainWindowLogic::FileOpenExecute, "open", &dialogs::OpenText},
    {"FileSaveAs", &MainWindowLogic::FileSaveAsExecute, "save", &dialogs::SaveText},
};

class DialogHandler : public ::testing::TestWithParam<DialogCase> {
 protected:
  // A window with a picture loaded, text in the editor and files to choose.
  DialogHandler() {
    w.files.PutPicture("first.bmp", RandomPicture(30, 30, PixelFormat::Bgr24, 7));
    w.files.PutPicture("second.bmp", RandomPicture(40, 26, PixelFormat::Indexed8, 7));
    w.files.files["notes.txt"] = {'n', 'o', 't', 'e', 's'};
    w.Open("first.bmp");
    w.editor.text = "editor text";
    w.messages.shown.clear();
  }
  void Run() { (w.logic.*GetParam().execute)(); }
  Window w;
};

TEST_P(DialogHandler, RunsItsDialogWithTheWindowsSettings) {
  Run();
  ASSERT_EQ(w.dialogs.kinds, std::vector<std::string>{GetParam().kind});
  const FileDialogSettings& shown = w.dialogs.settings.front();
  const FileDialogSettings& expected = *GetParam().dialog;
  EXPECT_EQ(shown.title, expected.title);
  EXPECT_EQ(shown.filter, expected.filter);
  EXPECT_EQ(shown.defaultExtension, expected.defaultExtension);
  EXPECT_EQ(shown.proposedName, expected.proposedName);
}

TEST_P(DialogHandler, CancelChangesNothing) {
  const int writes = w.files.writes;
  const std::string hint = w.logic.View().originalHint;
  Run();
  EXPECT_TRUE(w.messages.shown.empty());
  EXPECT_EQ(w.files.writes, writes);
  EXPECT_EQ(w.editor.text, "editor text");
  EXPECT_EQ(w.editor.shows, 0);
  EXPECT_TRUE(w.logic.ImageLoaded());
  EXPECT_EQ(w.logic.View().originalHint, hint);
  EXPECT_EQ(w.logic.OriginalImage().Width(), 30);
}

// A dialog that fails is reported like any error of a handler, never thrown on.
TEST_P(DialogHandler, AFailingDialogIsReported) {
  class BrokenDialogs : public FileDialogs {
    std::optional<std::string> RunOpenDialog(const FileDialogSettings&) override { return Fail(); }
    std::optional<std::string> RunSaveDialog(const FileDialogSettings&) override { return Fail(); }
    static std::optional<std::string> Fail() { throw std::runtime_error("no display"); }
  } broken;
  MainWindowLogic logic(MainWindowPorts{w.messages, w.editor, w.key, w.settings, w.files, broken});
  EXPECT_NO_THROW((logic.*GetParam().execute)());
  EXPECT_EQ(w.messages.shown, (std::vector<Message>{{"error", "no display"}}));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, DialogHandler, ::testing::ValuesIn(Cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(MainWindowDialogs, TheChosenPictureIsOpened) {
  Window w;
  w.files.PutPicture("second.bmp", RandomPicture(40, 26, PixelFormat::Indexed8, 7));
  w.dialogs.answer = "second.bmp";
  w.logic.OpenPictureExecute();
  EXPECT_TRUE(w.logic.ImageLoaded());
  EXPECT_EQ(w.logic.OriginalImage().Format(), PixelFormat::Indexed8);
  EXPECT_EQ(w.editor.capacity, (40 - 2) * 26 / 3);
  // A chosen file of another depth is refused exactly as the Accept handler refuses it.
  w.files.files["odd.bmp"] = workflow_test::BmpOfDepth(4, 30, 30);
  w.dialogs.answer = "odd.bmp";
  w.logic.OpenPictureExecute();
  EXPECT_FALSE(w.logic.ImageLoaded());
  EXPECT_EQ(w.messages.shown.back().text, messages::WrongDepth);
}

TEST(MainWindowDialogs, TheChosenTextFileIsOpenedAndSaved) {
  Window w;
  w.files.files["in.txt"] = {'l', 'i', 'n', 'e', '\n', 'm', 'o', 'r', 'e'};
  w.dialogs.answer = "in.txt";
  w.logic.FileOpenExecute();
  EXPECT_EQ(w.editor.text, "line\nmore");
  EXPECT_EQ(w.editor.shows, 1);

  w.dialogs.answer = "out.txt";
  w.logic.FileSaveAsExecute();
  EXPECT_EQ(w.files.TextAt("out.txt"), "line\r\nmore");
  EXPECT_EQ(w.messages.shown.back(), (Message{"information", "File Saved"}));

  // An empty editor: the dialog still runs, nothing is saved.
  w.editor.text.clear();
  w.dialogs.answer = "empty.txt";
  w.logic.FileSaveAsExecute();
  EXPECT_FALSE(w.files.Exists("empty.txt"));
  EXPECT_EQ(w.dialogs.kinds.size(), 3u);
}

}  // namespace
}  // namespace hushlake
