// The main window's handlers with a faked platform: their checks, order of
// steps and exact messages, and the faults of the old design that we mend.
#include <gtest/gtest.h>

#include "stego/encryptor.h"
#include "tests/common/case_names.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using test::RandomPicture;
using workflow_test::BmpOfDepth;
using workflow_test::Message;
using workflow_test::Window;

const std::string NineChars = "secretkey";

Message Info(std::string_view text) { return {"information", std::string(text)}; }
Message Error(std::string_view text) { return {"error", std::string(text)}; }
Message Confirm(std::string_view text) { return {"confirmation", std::string(text)}; }

TEST(MainWindow, CreationMakesTheWelcomeKeyAndStartsDisabled) {
  Window w;
  EXPECT_TRUE(w.settings.HasKey("Software\\Varnel\\welcome"));
  Window again;
  again.settings.keys = w.settings.keys;
  again.logic.FormCreate();
  EXPECT_EQ(again.settings.creations, 1);
  EXPECT_FALSE(w.logic.ImageLoaded() || w.logic.ImageEncrypted() || w.logic.CanEncrypt());
  EXPECT_EQ(w.logic.MinKeyLength(), 8);
  EXPECT_EQ(w.logic.View().choiceLabel,
            "Hash: 224 bit  Cipher: 96 bit Key Mode: Cipher Text Stealing");
}

TEST(MainWindow, EnableRulesFollowPictureKeyAndText) {
  Window w;
  w.files.PutPicture("a.bmp", RandomPicture(30, 30, PixelFormat::Bgr24, 7));
  w.Open("a.bmp");
  w.editor.text = "some text";
  w.key.text = "12345678";  // eight characters: not enough
  w.Idle();
  EXPECT_FALSE(w.logic.CanEncrypt());
  EXPECT_FALSE(w.logic.CanDecrypt());
  EXPECT_TRUE(w.logic.View().saveTextButtonEnabled);
  w.key.text = "123456789";
  w.Idle();
  EXPECT_TRUE(w.logic.CanEncrypt());
  EXPECT_TRUE(w.logic.CanDecrypt());
  w.editor.text.clear();
  w.Idle();
  EXPECT_FALSE(w.logic.CanEncrypt());
  EXPECT_TRUE(w.logic.CanDecrypt());
  EXPECT_FALSE(w.logic.View().saveTextButtonEnabled);
  EXPECT_FALSE(w.logic.View().saveImageButtonEnabled);
  // Nine characters counted as characters, not bytes.
  w.key.text = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6";
  w.Idle();
  EXPECT_FALSE(w.logic.CanDecrypt());
}

TEST(MainWindow, PicturesOfOtherDepthsAreRefused) {
  for (int depth : {4, 16}) {
    Window w;
    w.files.PutPicture("good.bmp", RandomPicture(30, 30, PixelFormat::Bgr24, 7));
    w.Open("good.bmp");
    w.files.files["odd.bmp"] = BmpOfDepth(depth, 30, 30);
    w.key.text = NineChars;
    w.Open("odd.bmp");
    EXPECT_EQ(w.messages.shown.back(),
              Error("This is neither 8, 24 or 32 bit bitmap\nPlease choose another image"));
    EXPECT_FALSE(w.logic.ImageLoaded());
    EXPECT_FALSE(w.logic.View().originalVisible);
    EXPECT_FALSE(w.logic.CanDecrypt());
  }
}

TEST(MainWindow, BrokenOrMissingFilesChangeNothingOrAreReported) {
  Window w;
  w.Open("missing.bmp");
  EXPECT_TRUE(w.messages.shown.empty());
  w.files.files["cut.bmp"] = {'B', 'M', 1, 2, 3};
  w.Open("cut.bmp");
  // A broken file is not of another depth: the reader's reason alone is shown.
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_EQ(w.messages.shown[0].kind, "error");
  EXPECT_NE(w.messages.shown[0].text,
            "This is neither 8, 24 or 32 bit bitmap\nPlease choose another image");
  EXPECT_FALSE(w.logic.ImageLoaded());
}

TEST(MainWindow, PalettePicturesDisableTheListsAndSetTheCapacity) {
  Window w;
  w.files.PutPicture("p8.bmp", RandomPicture(100, 50, PixelFormat::Indexed8, 7));
  w.files.PutPicture("p24.bmp", RandomPicture(100, 50, PixelFormat::Bgr24, 7));
  w.Open("p8.bmp");
  EXPECT_FALSE(w.logic.View().cryptControlsEnabled);
  EXPECT_EQ(w.logic.View().cryptHint, "8 Bit Image, Cipher disabled");
  EXPECT_EQ(w.editor.capacity, 1633);
  w.Open("p24.bmp");
  EXPECT_TRUE(w.logic.View().cryptControlsEnabled);
  EXPECT_EQ(w.logic.View().cryptHint, "Cipher Selection");
  EXPECT_EQ(w.editor.capacity, 2450);
  EXPECT_NE(w.logic.View().originalHint.find("Original imported image|"), std::string::npos);
}

TEST(MainWindow, EncryptRefusesSmallPictures) {
  Window w;
  w.files.PutPicture("small.bmp", RandomPicture(23, 40, PixelFormat::Bgr24, 7));
  w.Open("small.bmp");
  w.editor.text = "text";
  w.key.text = NineChars;
  w.Encrypt();
  EXPECT_EQ(w.messages.shown.back(), Info("The image has to be at least 24x24 pixels in size."));
  EXPECT_FALSE(w.logic.ImageEncrypted());
}

TEST(MainWindow, SaveImgBeforeEncryptDoesNothing) {
  Window w;
  w.SaveImageAs("out.bmp");
  EXPECT_TRUE(w.dialogs.titles.empty());
  EXPECT_TRUE(w.messages.shown.empty());
}

// Encrypt, save, open the saved picture, decrypt: the text comes back.
struct RoundTrip {
  PixelFormat format;
  std::string text;
  std::string expected;
};

void PrintTo(const RoundTrip& r, std::ostream* out) {
  *out << test::FormatName(r.format) << "_" << r.text.size() << "Chars";
}

class EndToEnd : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(EndToEnd, TextComesBackThroughASavedPicture) {
  Window w;
  w.files.PutPicture("in.bmp", RandomPicture(64, 48, GetParam().format, 7));
  w.Open("in.bmp");
  w.editor.text = GetParam().text;
  w.key.text = "Key With Capitals";
  w.Encrypt();
  EXPECT_EQ(w.messages.shown.back(),
            Info("The text has been encrypted successfully\nPlease save the encrypted image now"));
  w.SaveImageAs("out.bmp");
  EXPECT_EQ(w.messages.shown.back(), Info("Picture saved"));
  EXPECT_EQ(w.files.PictureAt("out.bmp"), w.logic.EncryptedImage());

  Window reader;
  reader.files = w.files;
  reader.Open("out.bmp");
  reader.key.text = "Key With Capitals";
  reader.Decrypt();
  EXPECT_EQ(reader.editor.text, GetParam().expected);
  EXPECT_EQ(reader.editor.shows, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, EndToEnd,
    ::testing::Values(RoundTrip{PixelFormat::Bgr24, "Line one\nLine \xC3\xBC two",
                                "Line one\r\nLine \xC3\xBC two"},
                      RoundTrip{PixelFormat::Bgrx32, "thirty-two bits", "thirty-two bits"},
                      RoundTrip{PixelFormat::Indexed8, "Capitals  and   Spaces, @here!",
                                "capitals and spaces,  here!"}),
    test::ByPrintedParam());

TEST(MainWindow, PaletteEncryptLowerCasesTheKeyField) {
  Window w;
  w.files.PutPicture("p8.bmp", RandomPicture(64, 48, PixelFormat::Indexed8, 7));
  w.Open("p8.bmp");
  w.editor.text = "Hello";
  w.key.text = "MiXeD CaSe KeY";
  w.Encrypt();
  EXPECT_EQ(w.key.text, "mixed case key");
  EXPECT_EQ(w.editor.text, "hello");
}

TEST(MainWindow, TrueColorEncryptLeavesTheCipherTextInTheEditor) {
  Window w;
  w.files.PutPicture("p.bmp", RandomPicture(64, 48, PixelFormat::Bgr24, 7));
  w.Open("p.bmp");
  w.editor.text = "plain words";
  w.key.text = NineChars;
  w.Encrypt();
  EXPECT_NE(w.editor.text, "plain words");
  EXPECT_EQ(w.editor.text, EncipherText(CipherChoice{}, NineChars, "plain words"));
}

TEST(MainWindow, ARefusedEncryptGivesTheUserTheirTextBack) {
  for (PixelFormat format : {PixelFormat::Bgr24, PixelFormat::Indexed8}) {
    Window w;
    w.files.PutPicture("tiny.bmp", RandomPicture(24, 24, format, 7));
    w.Open("tiny.bmp");
    const std::string text = "Far Too Long  For This Picture " + std::string(2000, 'x');
    w.editor.text = text;
    w.key.text = NineChars;
    w.Encrypt();
    EXPECT_EQ(w.messages.shown.back(),
              Error("The text to be encrypted is longer than the image size\n"
                    "Please specify a larger image or reduce the amount of text"));
    EXPECT_EQ(w.editor.text, text);
    EXPECT_TRUE(w.logic.EncryptedImage().Empty());
  }
}

TEST(MainWindow, APaletteKeyTheAlphabetCannotCarryIsRefusedUpFront) {
  Window w;
  w.files.PutPicture("p8.bmp", RandomPicture(64, 48, PixelFormat::Indexed8, 7));
  w.Open("p8.bmp");
  w.editor.text = "Some Text";
  w.key.text = "Mail@Home key";
  w.Encrypt();
  EXPECT_EQ(w.messages.shown.back(), Info(messages::PaletteKeyUnsupported));
  EXPECT_EQ(w.key.text, "Mail@Home key");
  EXPECT_EQ(w.editor.text, "Some Text");
  EXPECT_FALSE(w.logic.ImageEncrypted());
}

TEST(MainWindow, WrongHashIsReportedAndWrongCipherDoesNotCrash) {
  Window w;
  w.files.PutPicture("in.bmp", RandomPicture(64, 48, PixelFormat::Bgr24, 7));
  w.Open("in.bmp");
  w.editor.text = "the hidden words";
  w.key.text = NineChars;
  w.Encrypt();
  w.SaveImageAs("out.bmp");

  Window wrongHash;
  wrongHash.files = w.files;
  wrongHash.logic.SetChoice(CipherChoice{"MD5", "3Way", 0});
  wrongHash.Open("out.bmp");
  wrongHash.key.text = NineChars;
  wrongHash.Decrypt();
  EXPECT_EQ(wrongHash.messages.shown.back(),
            Error("This is not valid key\nor wrong Hash Algorithm"));
  EXPECT_TRUE(wrongHash.editor.text.empty());

  for (const CipherChoice& choice :
       {CipherChoice{"Haval-224", "Blowfish", 0}, CipherChoice{"Haval-224", "3Way", 3}}) {
    Window wrongCipher;
    wrongCipher.files = w.files;
    wrongCipher.logic.SetChoice(choice);
    wrongCipher.Open("out.bmp");
    wrongCipher.key.text = NineChars;
    wrongCipher.Decrypt();
    EXPECT_NE(wrongCipher.editor.text, "the hidden words");
  }
}

TEST(MainWindow, SavingPictures) {
  Window w;
  w.files.PutPicture("in.bmp", RandomPicture(64, 48, PixelFormat::Bgr24, 7));
  w.Open("in.bmp");
  w.editor.text = "words";
  w.key.text = NineChars;
  w.Encrypt();
  const int writesBefore = w.files.writes;

  // An existing file answered No: nothing written, nothing more shown.
  w.files.files["taken.bmp"] = {1, 2, 3};
  w.messages.answer = false;
  w.messages.shown.clear();
  w.SaveImageAs("taken.bmp");
  EXPECT_EQ(w.messages.shown, std::vector<Message>{Confirm("Replace existing file?")});
  EXPECT_EQ(w.files.files["taken.bmp"], (std::vector<std::uint8_t>{1, 2, 3}));

  // A name without extension gets ".bmp"; another extension is refused.
  w.messages.answer = true;
  w.SaveImageAs("result");
  EXPECT_TRUE(w.files.Exists("result.bmp"));
  EXPECT_EQ(w.logic.View().encryptedHint, "Encrypted Image|result.bmp");
  w.SaveImageAs("result.jpg");
  EXPECT_EQ(w.messages.shown.back(), Error(messages::PictureNeedsBmpOrPngName));
  EXPECT_FALSE(w.files.Exists("result.jpg"));
  EXPECT_EQ(w.files.writes, writesBefore + 1);
  EXPECT_EQ(w.dialogs.titles.back(), "Save Encrypted Image");
}

TEST(MainWindow, SavingAndOpeningTextFiles) {
  Window w;
  w.logic.FileSaveAsAccept("t.txt");
  EXPECT_FALSE(w.files.Exists("t.txt"));

  w.editor.text = "first\nsecond \xE2\x82\xAC";
  w.logic.FileSaveAsAccept("t.txt");
  EXPECT_EQ(w.files.TextAt("t.txt"), "first\r\nsecond \xE2\x82\xAC");
  EXPECT_EQ(w.messages.shown.back(), Info("File Saved"));

  w.messages.answer = false;
  w.editor.text = "other";
  w.logic.FileSaveAsAccept("t.txt");
  EXPECT_EQ(w.messages.shown.back(), Confirm("Replace Existing File?"));
  EXPECT_EQ(w.files.TextAt("t.txt"), "first\r\nsecond \xE2\x82\xAC");

  w.files.files["old.txt"] = {'c', 'a', 'f', 0xE9};  // Windows-1252
  w.logic.FileOpenAccept("old.txt");
  EXPECT_EQ(w.editor.text, "caf\xC3\xA9");
  w.logic.FileOpenAccept("missing.txt");
  EXPECT_EQ(w.editor.text, "caf\xC3\xA9");
  EXPECT_EQ(w.editor.shows, 2);
}

// Every hash, cipher and mode of the lists, through a written and re-read picture.
TEST(MainWindow, EveryChoiceRoundTripsThroughAPicture) {
  Window writer;
  writer.files.PutPicture("in.bmp", RandomPicture(40, 40, PixelFormat::Bgr24, 7));
  writer.Open("in.bmp");
  writer.key.text = NineChars;
  for (std::string_view hash : HashListItems) {
    for (std::string_view cipher : CipherListItems) {
      for (int mode = 0; mode < 4; ++mode) {
        const CipherChoice choice{std::string(hash), std::string(cipher), mode};
        writer.logic.SetChoice(choice);
        writer.editor.text = "Secret words";
        writer.Encrypt();
        writer.SaveImageAs("out.bmp");
        Window reader;
        reader.files.files["out.bmp"] = writer.files.files["out.bmp"];
        reader.logic.SetChoice(choice);
        reader.Open("out.bmp");
        reader.key.text = NineChars;
        reader.Decrypt();
        ASSERT_EQ(reader.editor.text, "Secret words") << hash << " " << cipher << " " << mode;
      }
    }
  }
}

}  // namespace
}  // namespace hushlake
