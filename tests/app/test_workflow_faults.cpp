// The main window's workflow where the old design went wrong or was never
// pinned: what Save Img may save, what Decrypt does to the key field, the
// exact cipher text of the 24/32-bit glue, and the error paths.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/engine_messages.h"
#include "app/text_encoding.h"
#include "stego/encryptor.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using test::RandomPicture;
using workflow_test::FakeEditor;
using workflow_test::Message;
using workflow_test::Window;

const std::string NineChars = "secretkey";

Message Info(std::string_view text) { return {"information", std::string(text)}; }
Message Error(std::string_view text) { return {"error", std::string(text)}; }

// A window with a picture of the given kind and size loaded and a key typed.
void Load(Window& w, PixelFormat format, int width = 64, int height = 48,
          const std::string& key = NineChars) {
  w.files.PutPicture("in.bmp", RandomPicture(width, height, format, 7));
  w.Open("in.bmp");
  w.key.text = key;
}

TEST(SaveImg, SavesOnlyThePictureTheLastEncryptProduced) {
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Indexed8}) {
    Window w;
    Load(w, format, 24, 24);
    const std::string tooLong(2000, 'x');
    w.editor.text = tooLong;
    w.Encrypt();
    EXPECT_EQ(w.messages.shown.back(), Error(CapacityMessage));
    EXPECT_FALSE(w.logic.ImageEncrypted());
    w.SaveImageAs("refused.bmp");
    EXPECT_TRUE(w.dialogs.titles.empty());  // not even the dialog: nothing to save
    EXPECT_FALSE(w.files.Exists("refused.bmp"));

    // A good Encrypt, then a refused one: the earlier picture is gone too,
    // also for a Save Img that comes before the enable rules run again.
    w.editor.text = "fits";
    w.Encrypt();
    ASSERT_TRUE(w.logic.ImageEncrypted());
    w.Idle();
    w.editor.text = tooLong;
    w.logic.EncryptActionExecute();
    EXPECT_TRUE(w.logic.EncryptedImage().Empty());
    w.dialogs.answer = "stale.bmp";
    w.logic.SaveImageActionExecute();
    EXPECT_TRUE(w.dialogs.titles.empty());
    EXPECT_FALSE(w.files.Exists("stale.bmp"));
    EXPECT_EQ(w.editor.text, tooLong);
  }
}

TEST(SaveImg, AfterEncryptTheHintNamesTheStegoPicture) {
  Window w;
  Load(w, PixelFormat::Bgr24);
  w.editor.text = "words";
  w.Encrypt();
  EXPECT_EQ(w.logic.View().encryptedHint, "Encrypted image|Stego encrypted image");
}

TEST(PaletteKeyField, DecryptLowerCasesTheFieldAndChangesNothingElse) {
  struct Case {
    std::string typed;
    std::string shown;
  };
  const Case cases[] = {
      {"\xCE\xA9mega Secret Key", "\xCF\x89mega secret key"},  // Omega has no Windows-1252 code
      {"\xC3\x84\xC3\x96\xC3\x9C Stra\xC3\x9F"
       "e KEY",  // umlauts and sharp s
       "\xC3\xA4\xC3\xB6\xC3\xBC stra\xC3\x9F"
       "e key"},
      {"\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8 \xD0\x96\xD0\x81 \xE2\x82\xAC\xF0\x9F\x94\x91",
       "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF \xD0\xB6\xD1\x91 \xE2\x82\xAC\xF0\x9F\x94\x91"}};
  for (const Case& c : cases) {
    Window w;
    Load(w, PixelFormat::Indexed8, 64, 48, c.typed);
    w.Decrypt();
    EXPECT_EQ(w.key.text, c.shown);
    EXPECT_EQ(w.messages.shown.size(), 1u);  // nothing hidden in this picture
  }
}

TEST(PaletteKeyField, TheEngineStillGetsTheLoweredKey) {
  Window writer;
  Load(writer, PixelFormat::Indexed8, 64, 48, "Secret KEY one");
  writer.editor.text = "hidden words";
  writer.Encrypt();
  writer.SaveImageAs("out.bmp");
  Window reader;
  reader.files = writer.files;
  reader.Open("out.bmp");
  reader.key.text = "SECRET key ONE";
  reader.Decrypt();
  EXPECT_EQ(reader.editor.text, "hidden words");
  EXPECT_EQ(reader.key.text, "secret key one");
}

// Pinned from the glue as it stands, whose hashes and ciphers are checked
// against independent implementations: a fault that is the same both ways
// (enciphering and deciphering) cannot hide behind a round trip.
TEST(TextCipherKnownAnswers, EncipherTextGivesTheseExactTexts) {
  const std::string key = "Correct horse battery staple";
  const std::string text = "Attack at dawn\r\nBring coffee.";
  EXPECT_EQ(EncipherText(CipherChoice{}, key, text), "oXb60t95DI7uZvw/ZYR0G4TTPDzLARoI8H00ReU=");
  const CipherChoice rijndaelCbc{"SHA1", "Rijndael", 1};
  EXPECT_EQ(EncipherText(rijndaelCbc, key, text), "G6SmLBnz0ziZqkPtBkNj6cLx0sC+E+ExLhpm91U=");
  EXPECT_EQ(DeriveEngineKey(rijndaelCbc, key), "90336535F999982C");  // SHA-1, upper-case hex

  Window w;
  w.logic.SetChoice(rijndaelCbc);
  Load(w, PixelFormat::Bgr24, 64, 48, key);
  w.editor.text = "Attack at dawn\nBring coffee.";
  w.Encrypt();
  EXPECT_EQ(w.editor.text, "G6SmLBnz0ziZqkPtBkNj6cLx0sC+E+ExLhpm91U=");
}

// On 24/32 bits the key is hashed as Windows-1252 when every character has a
// code there (as older versions did), otherwise as UTF-8.
TEST(TrueColorKey, NonAsciiKeysAreHashedAsWindows1252WhenTheyFit) {
  struct Case {
    std::string typed;
    std::string hashed;
  };
  const Case cases[] = {
      {"Schl\xC3\xBCssel f\xC3\xBCr Caf\xC3\xA9 \xE2\x82\xAC", "Schl\xFCssel f\xFCr Caf\xE9 \x80"},
      {"\xCE\xA9mega Secret Key", "\xCE\xA9mega Secret Key"}};
  const CipherChoice choice{"MD5", "Blowfish", 2};
  for (const Case& c : cases) {
    Window w;
    w.logic.SetChoice(choice);
    Load(w, PixelFormat::Bgrx32, 64, 48, c.typed);
    w.editor.text = "plain words";
    w.Encrypt();
    EXPECT_EQ(w.editor.text, EncipherText(choice, c.hashed, "plain words"));

    // The engine key comes from the same bytes.
    Picture stego = w.logic.EncryptedImage();
    StoredPicture target;
    StringTextHolder editor;
    RandomSource random;
    TEncryptor engine(stego, target, DeriveEngineKey(choice, c.hashed), editor, random);
    const EngineOutcome read = engine.Decrypt();
    ASSERT_TRUE(read.Succeeded());
    EXPECT_EQ(DecipherText(choice, c.hashed, read.text), "plain words");
  }
}

TEST(DecryptErrors, KeepTheEditorsText) {
  // A picture holding a text that is not base 64, under the right engine key.
  Window w;
  Load(w, PixelFormat::Bgr24);
  Picture notBase64 = w.logic.OriginalImage();
  {
    StoredPicture target;
    StringTextHolder text("not base 64 at all!");
    RandomSource random;
    TEncryptor engine(notBase64, target, DeriveEngineKey(CipherChoice{}, NineChars), text, random);
    engine.SetTextLength(text.Text().size());
    ASSERT_TRUE(engine.Encrypt().Succeeded());
    w.files.PutPicture("garbled.bmp", target.picture);
  }
  w.editor.text = "secret";
  w.Encrypt();
  w.SaveImageAs("good.bmp");
  w.files.PutPicture("p8.bmp", RandomPicture(64, 48, PixelFormat::Indexed8, 7));

  struct Case {
    const char* name;
    const char* picture;
    CipherChoice choice;
    std::string key;
    std::optional<std::string_view> message;  // none: the cipher framework's own error
  };
  const Case cases[] = {
      {"wrong hash", "good.bmp", {"MD5", "3Way", 0}, NineChars, TrueColorKeyMessage},
      {"wrong key", "good.bmp", {}, "otherkey9", TrueColorKeyMessage},
      {"nothing hidden", "in.bmp", {}, NineChars, TrueColorKeyMessage},
      {"not base 64", "garbled.bmp", {}, NineChars, std::nullopt},
      {"8-bit, nothing hidden", "p8.bmp", {}, NineChars, std::nullopt}};
  for (const Case& c : cases) {
    Window reader;
    reader.files = w.files;
    reader.logic.SetChoice(c.choice);
    reader.Open(c.picture);
    reader.key.text = c.key;
    reader.editor.text = "my unsaved draft";
    reader.Decrypt();
    EXPECT_EQ(reader.editor.text, "my unsaved draft") << c.name;
    ASSERT_EQ(reader.messages.shown.size(), 1u) << c.name;
    EXPECT_EQ(reader.messages.shown[0].kind, "error") << c.name;
    if (c.message) {
      EXPECT_EQ(reader.messages.shown[0].text, *c.message) << c.name;
    }
  }
}

TEST(EngineMessages, EveryOutcomeHasTheSystemsText) {
  EXPECT_EQ(EngineMessage(EngineStatus::Done, false), std::nullopt);
  EXPECT_EQ(EngineMessage(EngineStatus::TextTooLong, true), CapacityMessage);
  EXPECT_EQ(EngineMessage(EngineStatus::KeyRejected, true), "This is not valid key");
  EXPECT_EQ(EngineMessage(EngineStatus::KeyRejected, false),
            "This is not valid key\nor wrong Hash Algorithm");
  EXPECT_EQ(EngineMessage(EngineStatus::NothingFound, true),
            "This is not valid key\nor wrong Hash Algorithm");
  EXPECT_EQ(EngineMessage(EngineStatus::UnsupportedDepth, false),
            "Improper Pixel Depth\nImage may have either 8, 24 or 32 bits per pixel");
}

TEST(OpenImg, ANameNeitherBmpNorPngOrABrokenFileAfterAGoodPicture) {
  Window w;
  w.files.files["photo.jpg"] = {1, 2, 3};
  w.Open("photo.jpg");  // nothing loaded yet: the depth error
  EXPECT_EQ(w.messages.shown, std::vector<Message>{Error(messages::WrongDepth)});

  Load(w, PixelFormat::Bgr24, 100, 50);
  w.Idle();
  const std::string hint = w.logic.View().originalHint;
  w.messages.shown.clear();
  w.Open("photo.jpg");  // neither BMP nor PNG: the good picture stays, nothing is said
  EXPECT_TRUE(w.messages.shown.empty());
  EXPECT_TRUE(w.logic.ImageLoaded());
  EXPECT_TRUE(w.logic.View().originalVisible);
  EXPECT_EQ(w.logic.View().originalHint, hint);
  EXPECT_EQ(w.editor.capacity, 2450);
  EXPECT_TRUE(w.logic.CanDecrypt());

  w.files.files["broken.bmp"] = {'B', 'M', 0, 0, 0, 0, 0};
  w.Open("broken.bmp");  // a broken BMP: the picture is gone, with the reader's reason alone
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_EQ(w.messages.shown[0].kind, "error");
  EXPECT_NE(w.messages.shown[0], Error(messages::WrongDepth));
  EXPECT_FALSE(w.logic.ImageLoaded());
  EXPECT_FALSE(w.logic.View().originalVisible);
  EXPECT_TRUE(w.logic.OriginalImage().Empty());
  EXPECT_FALSE(w.logic.CanDecrypt());
}

TEST(EncryptChecks, TooShortFocusesTheKeyFieldAndLowPicturesAreRefused) {
  Window w;
  Load(w, PixelFormat::Bgr24);
  w.editor.text = "text";
  w.Idle();
  w.key.text = "short";  // shortened after the enable rules ran
  w.logic.EncryptActionExecute();
  EXPECT_EQ(w.messages.shown.back(), Info(messages::KeyTooShort));
  EXPECT_EQ(w.key.focuses, 1);

  Window low;
  Load(low, PixelFormat::Bgr24, 40, 23);  // wide enough, one row too low
  low.editor.text = "text";
  low.Encrypt();
  EXPECT_EQ(low.messages.shown.back(), Info(messages::ImageTooSmall));
  EXPECT_FALSE(low.logic.ImageEncrypted());
}

// An editor that fails on every read, as a broken platform might.
class FailingEditor : public FakeEditor {
 public:
  std::string Text() const override { throw std::runtime_error("the editor is gone"); }
};

TEST(Handlers, NoExceptionLeavesAnyHandler) {
  Window w;
  Load(w, PixelFormat::Bgr24);
  w.editor.text = "text";
  w.Idle();
  FailingEditor editor;
  MainWindowLogic logic{MainWindowPorts{w.messages, editor, w.key, w.settings, w.files, w.dialogs}};
  logic.FormCreate();
  w.messages.shown.clear();
  EXPECT_NO_THROW(logic.OpenPictureAccept("in.bmp"));
  EXPECT_NO_THROW(logic.EncryptActionListUpdate());
  EXPECT_NO_THROW(logic.FileSaveAsAccept("t.txt"));
  EXPECT_NO_THROW(logic.FileOpenAccept("in.bmp"));
  EXPECT_NO_THROW(logic.DecryptActionExecute());
  EXPECT_NO_THROW(logic.EncryptActionExecute());
  EXPECT_NO_THROW(logic.SaveImageActionExecute());
  ASSERT_FALSE(w.messages.shown.empty());
  for (const Message& shown : w.messages.shown) EXPECT_EQ(shown, Error("the editor is gone"));
}

// An editor that fails when read back once it shows something other than
// what the user typed (the cipher text), in the middle of an Encrypt.
class EditorFailingAfterReplace : public FakeEditor {
 public:
  std::string Text() const override {
    if (replaced) throw std::runtime_error("the editor is gone");
    return text;
  }
  void ReplaceText(const std::string& replacement) override {
    text = replacement;
    replaced = replacement != typed;
  }
  std::string typed = "my plain words";
  bool replaced = false;
};

TEST(Handlers, AnEncryptEndedByAnErrorGivesTheUserTheirTextBack) {
  Window w;
  Load(w, PixelFormat::Bgr24);
  EditorFailingAfterReplace editor;
  editor.text = editor.typed;
  MainWindowLogic logic{MainWindowPorts{w.messages, editor, w.key, w.settings, w.files, w.dialogs}};
  logic.FormCreate();
  logic.OpenPictureAccept("in.bmp");
  logic.EncryptActionListUpdate();
  ASSERT_TRUE(logic.CanEncrypt());
  w.messages.shown.clear();
  EXPECT_NO_THROW(logic.EncryptActionExecute());
  EXPECT_EQ(editor.text, editor.typed);
  EXPECT_EQ(w.messages.shown, std::vector<Message>{Error("the editor is gone")});
  EXPECT_FALSE(logic.ImageEncrypted());
}

}  // namespace
}  // namespace hushlake
