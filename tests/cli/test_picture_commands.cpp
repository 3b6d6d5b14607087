// encrypt, decrypt and capacity, run as a user runs them: the built tool on
// real BMP files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "app/text_cipher.h"
#include "app/text_encoding.h"
#include "cli_sandbox.h"
#include "picture_files.h"
#include "stego/encryptor.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";

class PictureCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
    WritePicture(box, "p32.bmp", 100, 50, PixelFormat::Bgrx32);
    WritePicture(box, "p8.bmp", 100, 50, PixelFormat::Indexed8);
    WritePicture(box, "small.bmp", 23, 40, PixelFormat::Bgr24);
    WritePicture(box, "tight.bmp", 24, 24, PixelFormat::Bgr24);
    box.Write("key.txt", Key + "\r\nsecond line is not the key\n");
    box.Write("text.txt", "Hello, World!\nA second line.\n");
  }

  RunResult Encrypt(const std::string& in, const std::string& out,
                    std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"encrypt",     "--in",     in,           "--out",  out,
                                     "--text-file", "text.txt", "--key-file", "key.txt"};
    args.insert(args.end(), extra.begin(), extra.end());
    return box.Run(args);
  }

  CliSandbox box;
};

struct RoundTrip {
  const char* name;
  const char* picture;
  std::vector<std::string> choice;
  std::string text;
  std::string expected;  // what comes back, with this platform's line breaks
};

// The key and text travel through every picture kind; the 8-bit path keeps
// only its reduced alphabet (lower case, single spaces).
TEST_F(PictureCommands, TextComesBackFromEveryPictureKind) {
  const RoundTrip cases[] = {
      {"24-bit, start selection",
       "p24.bmp",
       {},
       "Hello, World!\nSecond line.",
       "Hello, World!\nSecond line."},
      {"32-bit, MD5 Blowfish OFB in any case",
       "p32.bmp",
       {"--hash", "md5", "--cipher", "BLOWFISH", "--mode", "cmofb"},
       "Caf\xC3\xA9 \xE2\x82\xAC 10\n",
       "Caf\xC3\xA9 \xE2\x82\xAC 10\n"},
      {"24-bit, Sapphire II-320 SCOP CFB",
       "p24.bmp",
       {"--hash", "Sapphire II-320", "--cipher", "scop", "--mode", "cmCFB"},
       "x",
       "x"},
      {"8-bit, reduced",
       "p8.bmp",
       {},
       "Hello  World.\nTwo   Spaces, ONE Line!",
       "hello world.\ntwo spaces, one line!"},
  };
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> encrypt = {"encrypt",    "--in",       c.picture, "--out",
                                        "result.bmp", "--key-file", "key.txt", "--force"};
    encrypt.insert(encrypt.end(), c.choice.begin(), c.choice.end());
    const RunResult hidden = box.Run(encrypt, {c.text, std::nullopt});
    ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
    EXPECT_NE(hidden.err.find(messages::PictureSaved), std::string::npos);
    EXPECT_EQ(ReadBmpFile(box.Path("result.bmp")).picture.Format(),
              ReadBmpFile(box.Path(c.picture)).picture.Format());

    std::vector<std::string> decrypt = {"decrypt", "--in", "result.bmp"};
    decrypt.insert(decrypt.end(), c.choice.begin(), c.choice.end());
    const RunResult shown = box.Run(decrypt, {"", Key});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, c.expected);

    decrypt.insert(decrypt.end(), {"--out", "back.txt", "--key-file", "key.txt", "--force"});
    const RunResult saved = box.Run(decrypt);
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(box.Read("back.txt"), WithCrLfLineBreaks(c.expected));
  }
}

struct Refused {
  const char* name;
  std::vector<std::string> args;
  std::string_view message;  // on standard error
};

// Each refusal ends with status 1, the system's message and no output file.
TEST_F(PictureCommands, RefusalsEndWithStatusOneAndTheirMessage) {
  box.Write("notbmp.bmp", "This is a text file, not a picture.\n");
  box.Write("truncated.bmp", box.Read("p24.bmp").substr(0, 300));
  box.Write("depth16.bmp", SixteenBitBmp(40, 40));
  box.Write("empty.key", "");
  box.Write("short.key", "12345678\n");
  box.Write("long.txt", std::string(400, 'w'));
  box.Write("empty.txt", "");
  ASSERT_EQ(Encrypt("p24.bmp", "good.bmp").exitCode, 0);

  const std::vector<std::string> withKey = {"--key-file", "key.txt", "--out", "out.bmp"};
  const std::vector<std::string> text = {"--text-file", "text.txt"};
  auto args = [](std::vector<std::string> a, const std::vector<std::string>& b,
                 const std::vector<std::string>& c = {}) {
    a.insert(a.end(), b.begin(), b.end());
    a.insert(a.end(), c.begin(), c.end());
    return a;
  };
  const Refused cases[] = {
      {"missing picture", args({"encrypt", "--in", "missing.bmp"}, withKey, text), "no such file"},
      {"missing text file",
       args({"encrypt", "--in", "p24.bmp", "--text-file", "none.txt"}, withKey), "no such file"},
      {"empty text file", args({"encrypt", "--in", "p24.bmp", "--text-file", "empty.txt"}, withKey),
       messages::EnterTextFirst},
      {"text file, not a picture", args({"encrypt", "--in", "notbmp.bmp"}, withKey, text),
       messages::WrongDepth},
      {"truncated picture", args({"decrypt", "--in", "truncated.bmp"}, withKey),
       messages::WrongDepth},
      {"16-bit picture", args({"encrypt", "--in", "depth16.bmp"}, withKey, text),
       messages::WrongDepth},
      {"empty key file",
       args({"encrypt", "--in", "p24.bmp", "--key-file", "empty.key", "--out", "out.bmp"}, text),
       "holds no key"},
      {"key of 8 characters",
       args({"encrypt", "--in", "p24.bmp", "--key-file", "short.key", "--out", "out.bmp"}, text),
       messages::KeyTooShort},
      {"key too short to decrypt",
       {"decrypt", "--in", "good.bmp", "--key-file", "short.key", "--out", "out.bmp"},
       messages::KeyTooShort},
      {"picture under 24 pixels", args({"encrypt", "--in", "small.bmp"}, withKey, text),
       messages::ImageTooSmall},
      {"text longer than the picture holds",
       args({"encrypt", "--in", "tight.bmp", "--text-file", "long.txt"}, withKey), CapacityMessage},
      {"wrong hash", args({"decrypt", "--in", "good.bmp", "--hash", "MD5"}, withKey),
       TrueColorKeyMessage},
      {"plain picture", args({"decrypt", "--in", "p24.bmp"}, withKey), TrueColorKeyMessage},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = box.Run(c.args);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(box.Exists("out.bmp"));
  }
}

// The key check passes with another cipher or mode; what comes out is other
// bytes or the format error, never a crash.
TEST_F(PictureCommands, WrongCipherOrModeGivesOtherTextOrAnErrorNeverACrash) {
  ASSERT_EQ(Encrypt("p32.bmp", "good.bmp").exitCode, 0);
  std::vector<std::vector<std::string>> wrong = {{"--mode", "cmCBC"}, {"--mode", "cmOFB"}};
  for (std::string_view cipher : CipherListItems)
    if (cipher != CipherListItems[0]) wrong.push_back({"--cipher", std::string(cipher)});
  for (const auto& choice : wrong) {
    SCOPED_TRACE(choice[1]);
    std::vector<std::string> args = {"decrypt", "--in", "good.bmp", "--key-file", "key.txt"};
    args.insert(args.end(), choice.begin(), choice.end());
    const RunResult result = box.Run(args);
    ASSERT_TRUE(result.exitCode == 0 || result.exitCode == 1) << result.exitCode;
    if (result.exitCode == 0) {
      EXPECT_NE(result.out, "Hello, World!\nA second line.\n");
    } else {
      EXPECT_FALSE(result.err.empty());
    }
  }
}

// Replacing a file takes --force: without it the answer is No, the file
// stays as it was and the status is 1.
TEST_F(PictureCommands, ExistingOutputIsReplacedOnlyWithForce) {
  ASSERT_EQ(Encrypt("p24.bmp", "good.bmp").exitCode, 0);
  box.Write("taken.bmp", "keep me");
  box.Write("taken.txt", "keep me");
  const RunResult picture = Encrypt("p24.bmp", "taken.bmp");
  EXPECT_EQ(picture.exitCode, 1);
  EXPECT_NE(picture.err.find(messages::ReplacePicture), std::string::npos);
  const RunResult text =
      box.Run({"decrypt", "--in", "good.bmp", "--key-file", "key.txt", "--out", "taken.txt"});
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_NE(text.err.find(messages::ReplaceTextFile), std::string::npos);
  EXPECT_EQ(box.Read("taken.bmp"), "keep me");
  EXPECT_EQ(box.Read("taken.txt"), "keep me");

  EXPECT_EQ(Encrypt("p24.bmp", "taken.bmp", {"--force"}).exitCode, 0);
  EXPECT_EQ(ReadBmpFile(box.Path("taken.bmp")).status, BmpStatus::Ok);
}

// The editor's rule: (width - 2) x height div 2, or div 3 for 8 bits.
TEST_F(PictureCommands, CapacityShowsSizeDepthAndTheEditorsCount) {
  const struct {
    const char* picture;
    const char* expected;
  } cases[] = {
      {"p24.bmp", "Size: 100 x 50 pixels\nDepth: 24 bits per pixel\nCapacity: 2450 characters\n"},
      {"p32.bmp", "Size: 100 x 50 pixels\nDepth: 32 bits per pixel\nCapacity: 2450 characters\n"},
      {"p8.bmp", "Size: 100 x 50 pixels\nDepth: 8 bits per pixel\nCapacity: 1633 characters\n"},
  };
  for (const auto& c : cases) {
    const RunResult result = box.Run({"capacity", "--in", c.picture});
    EXPECT_EQ(result.exitCode, 0) << c.picture;
    EXPECT_EQ(result.out, c.expected);
  }
}

}  // namespace
}  // namespace hushlake::clitest
