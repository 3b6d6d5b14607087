// The main window's Decrypt of sealed pictures with a faked platform: a
// sealed text goes into the editor, a sealed file is named there and offered
// for saving under its stored name, never over a file without asking.
#include <gtest/gtest.h>

#include "app/sealed_job.h"
#include "stego/sealed/sealed_picture.h"
#include "tests/common/testing_stretchers.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using test::RandomPicture;
using workflow_test::Message;
using workflow_test::Window;

const sealed::Argon2idStretcher kStretcher = sealed::TestingStretchers::Fast();
const std::string kKey = "sealed window key";
const std::vector<std::uint8_t> kFileBytes = {'P', 'K', 3, 4, 0, 0xFF, 10, 13, 0};

sealed::SealedContent FileContent(std::string_view name) {
  sealed::SealedContent content;
  content.isFile = true;
  content.name = name;
  content.bytes = SecretBytes(kFileBytes);
  return content;
}

// A window with Sealed on, the key typed and a sealed picture of Content opened.
struct SealedWindow : Window {
  explicit SealedWindow(const sealed::SealedContent& content) {
    Picture picture = RandomPicture(120, 90, PixelFormat::Bgr24, 11);
    const sealed::SealOutcome sealed = sealed::SealIntoPicture(picture, content, kKey, kStretcher);
    EXPECT_TRUE(sealed.Succeeded());
    files.PutPicture("sealed.bmp", picture);
    logic.UseKeyStretcher(kStretcher);
    logic.SetSealed(true);
    key.text = kKey;
    Open("sealed.bmp");
  }
  bool Saved(const std::string& path) const {
    const auto found = files.files.find(path);
    return found != files.files.end() && found->second == kFileBytes;
  }
};

TEST(MainWindowSealed, AFileIsNamedInTheEditorAndSavedUnderItsPlainStoredName) {
  struct Case {
    const char* stored;
    std::optional<std::string> proposed;  // none: the stored name is not a plain name
    std::string line;
  };
  const Case cases[] = {
      {"report.pdf", "report.pdf", "The picture holds the file \"report.pdf\" (9 bytes)."},
      {"../../home/you/.profile", ".profile", "The picture holds the file \".profile\" (9 bytes)."},
      {"C:\\Users\\you\\run.bat", "run.bat", "The picture holds the file \"run.bat\" (9 bytes)."},
      {"bell\arings.txt", std::nullopt,
       "The picture holds a file (9 bytes) whose stored name is not a plain file name."},
      {"..", std::nullopt,
       "The picture holds a file (9 bytes) whose stored name is not a plain file name."},
      {"", std::nullopt,
       "The picture holds a file (9 bytes) whose stored name is not a plain file name."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SealedWindow w(FileContent(c.stored));
    w.editor.text = "an older text";
    w.dialogs.answer = "/chosen/place.bin";
    w.Decrypt();
    EXPECT_EQ(w.editor.text, c.line);
    EXPECT_EQ(w.editor.shows, 1);
    ASSERT_EQ(w.dialogs.kinds, std::vector<std::string>{"save"});
    EXPECT_EQ(w.dialogs.proposedNames[0], c.proposed.value_or(""));
    EXPECT_TRUE(w.Saved("/chosen/place.bin"));
    EXPECT_EQ(w.messages.shown, (std::vector<Message>{{"information", "File Saved"}}));
  }
}

TEST(MainWindowSealed, AnExistingFileIsReplacedOnlyOnYesAndACancelWritesNothing) {
  {
    SealedWindow w(FileContent("notes.txt"));
    w.files.files["/here/notes.txt"] = {'o', 'l', 'd'};
    const int writesBefore = w.files.writes;
    w.dialogs.answer = "/here/notes.txt";
    w.messages.answer = false;
    w.Decrypt();
    EXPECT_EQ(w.files.TextAt("/here/notes.txt"), "old");
    EXPECT_EQ(w.files.writes, writesBefore);
    EXPECT_EQ(w.messages.shown, (std::vector<Message>{{"confirmation", "Replace Existing File?"}}));
    w.messages.answer = true;
    w.messages.shown.clear();
    w.Decrypt();
    EXPECT_TRUE(w.Saved("/here/notes.txt"));
    EXPECT_EQ(w.messages.shown, (std::vector<Message>{{"confirmation", "Replace Existing File?"},
                                                      {"information", "File Saved"}}));
  }
  SealedWindow cancelled(FileContent("notes.txt"));
  const int writesBefore = cancelled.files.writes;
  cancelled.dialogs.answer = std::nullopt;
  cancelled.Decrypt();
  EXPECT_EQ(cancelled.files.writes, writesBefore);
  EXPECT_TRUE(cancelled.messages.shown.empty());
  EXPECT_EQ(cancelled.editor.text, "The picture holds the file \"notes.txt\" (9 bytes).");
}

TEST(MainWindowSealed, ATextStillGoesIntoTheEditorWithoutADialog) {
  sealed::SealedContent text;
  const std::string line = "a sealed line";
  text.bytes =
      SecretBytes(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
  SealedWindow w(text);
  w.Decrypt();
  EXPECT_EQ(w.editor.text, line);
  EXPECT_TRUE(w.dialogs.kinds.empty());
  EXPECT_TRUE(w.messages.shown.empty());
}

TEST(MainWindowSealed, HideAFileSealsItWithItsNameOnlyWhileSealedIsOn) {
  Window w;
  w.files.PutPicture("cover.bmp", RandomPicture(120, 90, PixelFormat::Bgr24, 3));
  w.files.files["/papers/plan.odt"] = kFileBytes;
  w.logic.UseKeyStretcher(kStretcher);
  w.key.text = kKey;
  w.Open("cover.bmp");
  w.dialogs.answer = "/papers/plan.odt";
  EXPECT_FALSE(w.logic.CanHideFile());
  w.logic.HideFileExecute();  // Sealed is off: no dialog, nothing sealed
  EXPECT_TRUE(w.dialogs.kinds.empty());
  EXPECT_FALSE(w.logic.ImageEncrypted());

  w.logic.SetSealed(true);
  w.Idle();
  ASSERT_TRUE(w.logic.CanHideFile());
  w.logic.HideFileExecute();
  EXPECT_EQ(w.dialogs.kinds, std::vector<std::string>{"open"});
  EXPECT_EQ(w.messages.shown,
            (std::vector<Message>{{"information",
                                   "The file has been sealed into the picture\nPlease save the "
                                   "encrypted image now"}}));
  EXPECT_TRUE(w.logic.ImageEncrypted());
  w.SaveImageAs("/out/sealed.bmp");
  w.Open("/out/sealed.bmp");
  w.dialogs.answer = "/kept/plan.odt";
  w.Decrypt();
  EXPECT_EQ(w.dialogs.proposedNames.back(), "plan.odt");
  EXPECT_EQ(w.files.files.at("/kept/plan.odt"), kFileBytes);
}

TEST(MainWindowSealed, HideAFileTooLargeForThePictureIsRefusedAndLeavesNoResult) {
  Window w;
  w.files.PutPicture("cover.bmp", RandomPicture(120, 90, PixelFormat::Bgr24, 3));
  std::vector<std::uint8_t> large(4000);
  std::mt19937 random(5);
  for (auto& byte : large) byte = static_cast<std::uint8_t>(random());
  w.files.files["/big.bin"] = large;
  w.logic.UseKeyStretcher(kStretcher);
  w.logic.SetSealed(true);
  w.key.text = kKey;
  w.Open("cover.bmp");
  w.dialogs.answer = "/big.bin";
  w.logic.HideFileExecute();
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_EQ(w.messages.shown[0].kind, "error");
  EXPECT_TRUE(
      w.messages.shown[0].text.starts_with("Too large for a sealed picture: the file packs"))
      << w.messages.shown[0].text;
  EXPECT_FALSE(w.logic.ImageEncrypted());
  EXPECT_TRUE(w.logic.EncryptedImage().Empty());
}

}  // namespace
}  // namespace hushlake
