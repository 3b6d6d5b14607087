// encrypt, decrypt and capacity, run as a user runs them: the built tool on
// real BMP files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "app/text_cipher.h"
#include "app/text_encoding.h"
#include "cli_sandbox.h"
#include "picture_files.h"
#include "stego/bmp_fixture.h"
#include "stego/encryptor.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";
const std::string Text = "Hello, World!\nA second line.\n";

using Args = std::vector<std::string>;

Args Join(Args a, const Args& b, const Args& c = {}) {
  a.insert(a.end(), b.begin(), b.end());
  a.insert(a.end(), c.begin(), c.end());
  return a;
}

bool Has(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

// A message as the tool prints it as an error: every line after the first
// starts with "hushlake-cli: " too (the first may be part of a longer line).
std::string AsErrorLines(std::string_view message) {
  std::string lines;
  for (;;) {
    const std::size_t end = message.find('\n');
    lines.append(message.substr(0, end));
    if (end == std::string_view::npos) return lines;
    lines.append("\nhushlake-cli: ");
    message.remove_prefix(end + 1);
  }
}

bool HasError(const std::string& err, std::string_view message) {
  return Has(err, AsErrorLines(message));
}

class PictureCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "p24.bmp", 100, 50, PixelFormat::Bgr24);
    WritePicture(box, "p32.bmp", 100, 50, PixelFormat::Bgrx32);
    WritePicture(box, "p8.bmp", 100, 50, PixelFormat::Indexed8);
    WritePicture(box, "small.bmp", 23, 40, PixelFormat::Bgr24);
    WritePicture(box, "tight.bmp", 24, 24, PixelFormat::Bgr24);
    box.Write("key.txt", Key + "\r\nsecond line is not the key\n");
    chmod(box.Path("key.txt").c_str(), 0600);
    box.Write("text.txt", Text);
  }

  RunResult Encrypt(const std::string& in, const std::string& out, const Args& extra = {}) const {
    return box.Run(Join({"encrypt", in, "-o", out, "-t", "text.txt", "-k", "key.txt"}, extra));
  }

  CliSandbox box;
};

struct RoundTrip {
  const char* name;
  const char* picture;
  Args choice;
  std::string text;
  std::string expected;  // what comes back, with this platform's line breaks
};

// The key and text travel through every picture kind; the 8-bit path keeps
// only its reduced alphabet (lower case, single spaces). A saved text has LF
// line breaks (CR LF with --crlf) and is readable by its owner only.
TEST_F(PictureCommands, TextComesBackFromEveryPictureKind) {
  const RoundTrip cases[] = {
      {"24-bit, start selection",
       "p24.bmp",
       {},
       "Hello, World!\nSecond line.",
       "Hello, World!\nSecond line."},
      {"32-bit, MD5 Blowfish OFB in any spelling",
       "p32.bmp",
       {"--hash", "md-5", "-c", "BLOWFISH", "-m", "ofb"},
       "Caf\xC3\xA9 \xE2\x82\xAC 10\r\n",
       "Caf\xC3\xA9 \xE2\x82\xAC 10\n"},
      {"24-bit, Sapphire II-320 SCOP CFB",
       "p24.bmp",
       {"-H", "sapphireii320", "--cipher=scop", "--mode", "cmCFB"},
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
    const RunResult hidden =
        box.Run(Join({"encrypt", "--in", c.picture, "--out", "result.bmp", "-k", "key.txt", "-f"},
                     c.choice),
                {c.text});
    ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
    EXPECT_EQ(ReadBmpFile(box.Path("result.bmp")).picture.Format(),
              ReadBmpFile(box.Path(c.picture)).picture.Format());

    const RunResult shown = box.Run(Join({"decrypt", "result.bmp"}, c.choice), {"", Key});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, c.expected);
    EXPECT_EQ(shown.err, "");

    const RunResult saved =
        box.Run(Join({"decrypt", "result.bmp", "-o", "back.txt", "-k", "key.txt", "-f"}, c.choice));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(box.Read("back.txt"), c.expected);
    EXPECT_EQ(box.Mode("back.txt"), 0600u);

    const RunResult crlf = box.Run(Join(
        {"decrypt", "result.bmp", "-o", "crlf.txt", "-k", "key.txt", "-f", "--crlf"}, c.choice));
    ASSERT_EQ(crlf.exitCode, 0) << crlf.err;
    EXPECT_EQ(box.Read("crlf.txt"), WithCrLfLineBreaks(c.expected));
  }
}

// "-" is standard input or output for the picture in and out, the text and
// the key; the name "-" is used as it is, never as "-.bmp".
TEST_F(PictureCommands, DashIsStandardInputOrOutput) {
  const RunResult toOutput =
      box.Run({"encrypt", "p24.bmp", "-o", "-", "-t", "text.txt"}, {"", Key});
  ASSERT_EQ(toOutput.exitCode, 0) << toOutput.err;
  EXPECT_EQ(toOutput.out.substr(0, 2), "BM");
  EXPECT_FALSE(box.Exists("-.bmp"));
  EXPECT_FALSE(box.Exists("-"));
  box.Write("piped.bmp", toOutput.out);

  const RunResult fromInput = box.Run({"decrypt", "-", "-k", "key.txt"}, {box.Read("piped.bmp")});
  ASSERT_EQ(fromInput.exitCode, 0) << fromInput.err;
  EXPECT_EQ(fromInput.out, Text);

  const RunResult textIn =
      box.Run({"encrypt", "p24.bmp", "-o", "t.bmp", "-t", "-"}, {"piped text", Key});
  ASSERT_EQ(textIn.exitCode, 0) << textIn.err;
  const RunResult keyIn =
      box.Run({"decrypt", "t.bmp", "--key-file", "-", "--out", "-"}, {Key + "\n"});
  ASSERT_EQ(keyIn.exitCode, 0) << keyIn.err;
  EXPECT_EQ(keyIn.out, "piped text");

  const RunResult twice = box.Run({"encrypt", "-", "-o", "u.bmp", "-k", "key.txt"});
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_TRUE(Has(twice.err, "standard input can carry only one"));
}

struct Refused {
  const char* name;
  Args args;
  std::string_view message;  // on standard error
  std::string_view notShown = "\x01";
};

// Each refusal ends with status 1, the system's message after
// "hushlake-cli:", and no output file.
TEST_F(PictureCommands, RefusalsEndWithStatusOneAndTheirMessage) {
  box.Write("notbmp.bmp", "This is a text file, not a picture.\n");
  box.Write("truncated.bmp", box.Read("p24.bmp").substr(0, 300));
  box.Write("depth16.bmp", SixteenBitBmp(40, 40));
  box.Write("photo.jpg", box.Read("p24.bmp"));
  box.Write("empty.key", "");
  box.Write("short.key", "12345678\n");
  box.Write("big.key", std::string(70000, 'k'));
  box.Write("empty.txt", "");
  box.Write("nul.txt", std::string("text\0more", 9));
  std::filesystem::create_directory(box.Path("folder.bmp"));
  chmod(box.Path("short.key").c_str(), 0600);
  ASSERT_EQ(Encrypt("p24.bmp", "good.bmp").exitCode, 0);

  const Args withKey = {"-k", "key.txt", "-o", "out.bmp"};
  const Args text = {"-t", "text.txt"};
  const Refused cases[] = {
      {"missing picture", Join({"encrypt", "missing.bmp"}, withKey, text),
       "No such file or directory"},
      {"a folder is no missing file", Join({"encrypt", "folder.bmp"}, withKey, text),
       "Is a directory", "No such file"},
      {"missing text file", Join({"encrypt", "p24.bmp", "-t", "none.txt"}, withKey),
       "No such file or directory"},
      {"not a picture name", Join({"encrypt", "photo.jpg"}, withKey, text), "BMP or PNG",
       messages::WrongDepth},
      {"empty text file", Join({"encrypt", "p24.bmp", "-t", "empty.txt"}, withKey),
       messages::EnterTextFirst},
      {"NUL bytes in the text", Join({"encrypt", "p24.bmp", "-t", "nul.txt"}, withKey),
       "NUL bytes"},
      {"NUL bytes piped", Join({"encrypt", "p24.bmp"}, withKey), "NUL bytes"},
      {"text file, not a picture: the reader's reason only",
       Join({"encrypt", "notbmp.bmp"}, withKey, text), "not a BMP file", messages::WrongDepth},
      {"truncated picture: the reader's reason only", Join({"decrypt", "truncated.bmp"}, withKey),
       "hushlake-cli: ", messages::WrongDepth},
      {"16-bit picture", Join({"encrypt", "depth16.bmp"}, withKey, text), messages::WrongDepth},
      {"empty key file", Join({"encrypt", "p24.bmp", "-k", "empty.key", "-o", "out.bmp"}, text),
       "holds no key"},
      {"key file over 64 KiB", Join({"encrypt", "p24.bmp", "-k", "big.key", "-o", "out.bmp"}, text),
       "larger than 64 KiB"},
      {"key of 8 characters",
       Join({"encrypt", "p24.bmp", "-k", "short.key", "-o", "out.bmp"}, text),
       messages::KeyTooShort},
      {"key of 8 characters: the minimum is said",
       Join({"encrypt", "p24.bmp", "-k", "short.key", "-o", "out.bmp"}, text),
       "The Key entered is too short: a key has at least 9 characters"},
      {"16-bit picture: the depth and a conversion",
       Join({"encrypt", "depth16.bmp"}, withKey, text),
       "the picture has 16 bits per pixel; converted to 24 bits it can be used, e.g. with "
       "ImageMagick: convert 'depth16.bmp' -type TrueColor BMP3:converted.bmp"},
      {"key too short to decrypt",
       {"decrypt", "good.bmp", "-k", "short.key", "-o", "out.txt"},
       messages::KeyTooShort},
      {"picture under 24 pixels", Join({"encrypt", "small.bmp"}, withKey, text),
       messages::ImageTooSmall},
      // The command line's own sentence: the likely causes and --detect.
      {"wrong hash", Join({"decrypt", "good.bmp", "--hash", "MD5"}, withKey),
       "the key is wrong, the hash is not the one the text was hidden with, or the picture hides "
       "no text ('decrypt --detect'",
       "or wrong Hash Algorithm"},
      {"plain picture", Join({"decrypt", "p24.bmp"}, withKey), "The key does not open this picture",
       "or wrong Hash Algorithm"},
      {"output neither a BMP nor a PNG name, before any work",
       {"encrypt", "missing.bmp", "-o", "out.jpg", "-k", "key.txt", "-t", "text.txt"},
       messages::PictureNeedsBmpOrPngName,
       "No such file"},
      {"output is a folder",
       {"encrypt", "p24.bmp", "-o", "folder.bmp", "-k", "key.txt", "-t", "text.txt"},
       "Is a directory"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = box.Run(c.args, {std::string("piped\0text", 10)});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(HasError(result.err, c.message)) << result.err;
    EXPECT_FALSE(HasError(result.err, c.notShown)) << result.err;
    EXPECT_FALSE(Has(result.err, messages::EncryptDone));
    ExpectErrorsPrefixed(result.err);
    EXPECT_FALSE(box.Exists("out.bmp"));
    EXPECT_FALSE(box.Exists("out"));
    EXPECT_FALSE(box.Exists("out.txt"));
  }
}

// An output name is used as given: nothing is added to it. A folder, a name
// ending in "/" and an existing file (without --force) are refused, with a
// message, before any work: the picture named here does not even exist.
TEST_F(PictureCommands, OutputNamesAreUsedAsGivenAndRefusalsComeBeforeAnyWork) {
  const RunResult plain = Encrypt("p24.bmp", "newname");
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_EQ(plain.err, "Hidden in \"newname\"\n");
  EXPECT_FALSE(box.Exists("newname.bmp"));
  ASSERT_TRUE(box.Exists("newname"));
  EXPECT_EQ(box.Read("newname").substr(0, 2), "BM");
  EXPECT_EQ(box.Run({"decrypt", "-", "-k", "key.txt"}, {box.Read("newname")}).out, Text);

  std::filesystem::create_directory(box.Path("adir"));
  const struct {
    const char* out;
    const char* said;
  } refused[] = {
      {"newname", "hushlake-cli: The file \"newname\" exists; --force replaces it"},
      {"adir", "hushlake-cli: Cannot write the picture \"adir\": Is a directory"},
      {"adir/", "hushlake-cli: Cannot write the picture \"adir/\": a name ending in / is a folder"},
      {"nodir/",
       "hushlake-cli: Cannot write the picture \"nodir/\": a name ending in / is a folder"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.out);
    const RunResult result = Encrypt("missing.bmp", c.out);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Has(result.err, c.said)) << result.err;
    EXPECT_FALSE(Has(result.err, "missing.bmp")) << result.err;
    ExpectErrorsPrefixed(result.err);
  }
  EXPECT_FALSE(box.Exists("adir.bmp"));
  EXPECT_FALSE(box.Exists("adir/.bmp"));
  EXPECT_FALSE(box.Exists("nodir"));
  EXPECT_EQ(Encrypt("p24.bmp", "newname", {"-f"}).exitCode, 0);
}

// Every way to exit 1 says why in a line of the tool's; a message of several
// lines has the tool's name on each.
TEST_F(PictureCommands, EveryRefusalSaysWhyOnLinesOfTheTools) {
  ASSERT_EQ(Encrypt("p24.bmp", "good.bmp").exitCode, 0);
  const std::vector<Args> runs = {
      {"encrypt", "small.bmp", "-o", "s.bmp", "-t", "text.txt", "-k", "key.txt"},
      {"encrypt", "p24.bmp", "-o", "x.jpg", "-t", "text.txt", "-k", "key.txt"},
      {"decrypt", "good.bmp", "-k", "key.txt", "--hash", "Tiger"},
      {"decrypt", "p24.bmp", "-k", "key.txt"},
  };
  for (const Args& run : runs) {
    SCOPED_TRACE(run[1] + " " + run[2]);
    const RunResult result = box.Run(run);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.empty());
    ExpectErrorsPrefixed(result.err);
  }
}

// With the right key but another cipher or mode, what comes out is not text:
// status 1 and the likely cause, never garbage with status 0. --raw writes it.
TEST_F(PictureCommands, WrongCipherOrModeIsRefusedUnlessRaw) {
  for (const char* picture : {"p24.bmp", "p32.bmp"}) {
    ASSERT_EQ(Encrypt(picture, "good.bmp", {"-f"}).exitCode, 0);
    std::vector<Args> wrong;
    for (std::string_view cipher : CipherListItems)
      for (std::string_view mode : ModeListItems)
        if (cipher != CipherListItems[0] || mode != ModeListItems[0])
          wrong.push_back({"--cipher", std::string(cipher), "--mode", std::string(mode)});
    for (const Args& choice : wrong) {
      SCOPED_TRACE(choice[1] + " " + choice[3]);
      const RunResult result = box.Run(Join({"decrypt", "good.bmp", "-k", "key.txt"}, choice));
      if (result.exitCode == 0) {
        EXPECT_EQ(result.out, Text);  // a related mode may give the text itself
        continue;
      }
      EXPECT_EQ(result.exitCode, 1);
      EXPECT_EQ(result.out, "");
      EXPECT_TRUE(Has(result.err, "the cipher or the mode is probably not")) << result.err;
    }
  }
  const RunResult raw =
      box.Run({"decrypt", "good.bmp", "-k", "key.txt", "--cipher", "Gost", "--raw"});
  EXPECT_EQ(raw.exitCode, 0);
  EXPECT_FALSE(raw.out.empty());
  EXPECT_NE(raw.out, Text);
}

TEST_F(PictureCommands, DetectFindsTheHashCipherAndMode) {
  ASSERT_EQ(Encrypt("p24.bmp", "a.bmp", {"-H", "Tiger", "-c", "Rijndael", "-m", "cbc"}).exitCode,
            0);
  const RunResult found = box.Run({"decrypt", "a.bmp", "-k", "key.txt", "--detect"});
  ASSERT_EQ(found.exitCode, 0) << found.err;
  EXPECT_EQ(found.out, "--hash 'Tiger' --cipher 'Rijndael' --mode cmCBC\n");
  // A BMP's pixels are read where they lie, a PNG's from a decoded copy.
  ASSERT_EQ(Encrypt("p24.bmp", "a.png", {"-H", "Tiger", "-c", "Rijndael", "-m", "cbc"}).exitCode,
            0);
  const RunResult fromPng = box.Run({"decrypt", "a.png", "-k", "key.txt", "--detect"});
  EXPECT_EQ(fromPng.out, found.out) << fromPng.err;

  // Keys outside ASCII are hashed as the window hashes them: Windows-1252
  // when they fit it, UTF-8 otherwise.
  for (const std::string key : {"\xC2\xA3\xC2\xA3\xC2\xA3\xC2\xA7\xC2\xB0\xC2\xB0"
                                "abcdefg",
                                "\xCE\xA9mega Secret Key"}) {
    box.Write("wide.key", key + "\n");
    chmod(box.Path("wide.key").c_str(), 0600);
    ASSERT_EQ(box.Run({"encrypt", "p32.bmp", "-o", "w.bmp", "-k", "wide.key", "-c", "shark", "-f"},
                      {"wide keys are hashed as the window hashes them"})
                  .exitCode,
              0);
    const RunResult wide = box.Run({"decrypt", "w.bmp", "-k", "wide.key", "--detect"});
    EXPECT_EQ(wide.out, "--hash 'Haval-224' --cipher 'Shark' --mode cmCTS\n") << wide.err;
  }

  box.Write("other.key", "not the right key\n");
  chmod(box.Path("other.key").c_str(), 0600);
  const RunResult wrongKey = box.Run({"decrypt", "a.bmp", "-k", "other.key", "--detect"});
  EXPECT_EQ(wrongKey.exitCode, 1);
  EXPECT_TRUE(Has(wrongKey.err, "No hash gives this key")) << wrongKey.err;

  const RunResult palette = box.Run({"decrypt", "p8.bmp", "-k", "key.txt", "--detect"});
  EXPECT_EQ(palette.exitCode, 1);
  EXPECT_TRUE(Has(palette.err, "8-bit")) << palette.err;
}

// Replacing a file takes --force, and without it the refusal comes before
// any work: the existing file stays as it was.
TEST_F(PictureCommands, ExistingOutputIsReplacedOnlyWithForce) {
  ASSERT_EQ(Encrypt("p24.bmp", "good.bmp").exitCode, 0);
  box.Write("taken.bmp", "keep me");
  box.Write("taken.txt", "keep me");
  const RunResult picture = Encrypt("p24.bmp", "taken.bmp");
  EXPECT_EQ(picture.exitCode, 1);
  EXPECT_TRUE(Has(picture.err, "--force replaces it")) << picture.err;
  const RunResult text = box.Run({"decrypt", "good.bmp", "-k", "key.txt", "-o", "taken.txt"});
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_EQ(box.Read("taken.bmp"), "keep me");
  EXPECT_EQ(box.Read("taken.txt"), "keep me");

  EXPECT_EQ(Encrypt("p24.bmp", "taken.bmp", {"--force"}).exitCode, 0);
  EXPECT_EQ(ReadBmpFile(box.Path("taken.bmp")).status, PictureReadStatus::Ok);
}

// The longest text capacity states is accepted, one byte or character more
// is refused with its length and the room, for each picture kind and choice.
TEST_F(PictureCommands, CapacityStatesTheExactLongestText) {
  box.Write("twelve.key", "twelve chars\n");
  box.Write("nine.key", "ninechars\n");
  chmod(box.Path("twelve.key").c_str(), 0600);
  chmod(box.Path("nine.key").c_str(), 0600);
  const struct {
    const char* picture;
    Args choice;
    Args key;
    std::string filler;  // one byte or character of text
  } cases[] = {
      {"p24.bmp", {}, {}, "a"},
      {"p32.bmp", {"-c", "Blowfish", "-m", "cfb"}, {}, "b"},
      {"tight.bmp", {"-H", "sha1", "-c", "Twofish", "-m", "cbc"}, {}, "c"},
      {"p8.bmp", {}, {}, "d"},
      {"p8.bmp", {}, {"-k", "twelve.key"}, "e"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture + (c.key.empty() ? std::string() : " with a key file"));
    const RunResult shown = box.Run(Join({"capacity", c.picture}, c.choice, c.key));
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const auto at = shown.out.find("Longest text: ");
    ASSERT_NE(at, std::string::npos) << shown.out;
    const long longest = std::stol(shown.out.substr(at + 14));
    EXPECT_EQ(Has(shown.out, "the shortest allowed (no key was given)"),
              c.key.empty() && std::string(c.picture) == "p8.bmp");
    // Without a key, capacity counts for the shortest one allowed.
    const Args key = c.key.empty() ? Args{"-k", "nine.key"} : c.key;
    std::string fits;
    for (long i = 0; i < longest; ++i) fits += c.filler;
    box.Write("fits.txt", fits);
    const RunResult accepted = box.Run(Join(
        {"encrypt", c.picture, "-o", "fits.bmp", "-t", "fits.txt", "-f", "-q"}, c.choice, key));
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
    box.Write("over.txt", fits + c.filler);
    const RunResult refused =
        box.Run(Join({"encrypt", c.picture, "-o", "over.bmp", "-t", "over.txt"}, c.choice, key));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(HasError(refused.err, CapacityMessage)) << refused.err;
    EXPECT_TRUE(Has(refused.err, std::to_string(longest + 1))) << refused.err;
    EXPECT_TRUE(Has(refused.err, "at most " + std::to_string(longest))) << refused.err;
    EXPECT_FALSE(box.Exists("over.bmp"));
  }
}

// The editor's rule: (width - 2) x height div 2, or div 3 for 8 bits.
TEST_F(PictureCommands, CapacityShowsSizeDepthAndTheEditorsCount) {
  const struct {
    const char* picture;
    const char* expected;
  } cases[] = {
      {"p24.bmp", "Size: 100 x 50 pixels\nDepth: 24 bits per pixel\nCapacity: 2450 characters"},
      {"p32.bmp", "Size: 100 x 50 pixels\nDepth: 32 bits per pixel\nCapacity: 2450 characters"},
      {"p8.bmp", "Size: 100 x 50 pixels\nDepth: 8 bits per pixel\nCapacity: 1633 characters"},
  };
  for (const auto& c : cases) {
    const RunResult result = box.Run({"capacity", "--in", c.picture});
    EXPECT_EQ(result.exitCode, 0) << c.picture;
    EXPECT_EQ(result.out.rfind(c.expected, 0), 0u) << result.out;
  }
}

// A text far larger than any picture holds is refused before it is read in
// full: a 1 GB sparse file on standard input.
TEST_F(PictureCommands, HugeTextOnStandardInputIsRefusedAtOnce) {
  { std::ofstream huge(box.Path("huge.txt"), std::ios::binary); }
  std::filesystem::resize_file(box.Path("huge.txt"), std::uintmax_t{1} << 30);
  for (const char* picture : {"p24.bmp", "p8.bmp"}) {
    RunInput input;
    input.standardInputFile = "huge.txt";
    const RunResult result = box.Run({"encrypt", picture, "-o", "o.bmp", "-k", "key.txt"}, input);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(HasError(result.err, CapacityMessage)) << result.err;
    EXPECT_TRUE(Has(result.err, "the text is longer than")) << result.err;
  }
}

// A picture on standard input is read only as far as its header says it
// can need: a picture followed by gigabytes, or gigabytes of what is no
// picture, costs no more than the picture (sparse 3 GiB files).
TEST_F(PictureCommands, PictureOnStandardInputIsReadOnlyAsFarAsItsHeaderJustifies) {
  box.Write("followed.bmp", box.Read("p24.bmp"));
  { std::ofstream zeros(box.Path("zeros.bin"), std::ios::binary); }
  for (const char* name : {"followed.bmp", "zeros.bin"})
    std::filesystem::resize_file(box.Path(name), std::uintmax_t{3} << 30);
  RunInput input;
  input.standardInputFile = "followed.bmp";
  const RunResult picture = box.Run({"capacity", "-"}, input);
  EXPECT_EQ(picture.exitCode, 0) << picture.err;
  EXPECT_TRUE(Has(picture.out, "Size: 100 x 50 pixels")) << picture.out;
  input.standardInputFile = "zeros.bin";
  const RunResult zeros = box.Run({"capacity", "-"}, input);
  EXPECT_EQ(zeros.exitCode, 1);
  EXPECT_TRUE(Has(zeros.err, "not a BMP file")) << zeros.err;
}

// 8-bit pictures say what they do on every Encrypt; a text they change is
// shown by example, and --strict refuses it.
TEST_F(PictureCommands, EightBitPicturesSayWhatTheyDo) {
  const RunResult changed = box.Run({"encrypt", "p8.bmp", "-o", "a.bmp", "-k", "key.txt"},
                                    {"all fine here.\nBut This Changes"});
  ASSERT_EQ(changed.exitCode, 0) << changed.err;
  EXPECT_TRUE(Has(changed.err, "without a cipher")) << changed.err;
  EXPECT_TRUE(Has(changed.err, "\"But This Changes\" becomes \"but this changes\""));

  const RunResult unchanged =
      box.Run({"encrypt", "p8.bmp", "-o", "b.bmp", "-k", "key.txt", "--strict"}, {"all fine."});
  ASSERT_EQ(unchanged.exitCode, 0) << unchanged.err;
  EXPECT_TRUE(Has(unchanged.err, "without a cipher"));
  EXPECT_FALSE(Has(unchanged.err, "becomes"));

  const RunResult strict =
      box.Run({"encrypt", "p8.bmp", "-o", "c.bmp", "-k", "key.txt", "--strict"}, {"Capital"});
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_TRUE(Has(strict.err, "\"Capital\" becomes \"capital\"")) << strict.err;
  EXPECT_FALSE(box.Exists("c.bmp"));

  const RunResult true24 =
      box.Run({"encrypt", "p24.bmp", "-o", "d.bmp", "-k", "key.txt", "--strict"}, {"Capital"});
  EXPECT_EQ(true24.exitCode, 0);
  EXPECT_FALSE(Has(true24.err, "without a cipher"));
}

// One short line on success, nothing with -q, the window's texts with -v.
TEST_F(PictureCommands, QuietSuccessVerboseWindowTexts) {
  const RunResult normal = Encrypt("p24.bmp", "n.bmp");
  ASSERT_EQ(normal.exitCode, 0);
  EXPECT_EQ(normal.err, "Hidden in \"n.bmp\"\n");
  const RunResult quiet = Encrypt("p24.bmp", "q.bmp", {"-q"});
  ASSERT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");
  const RunResult verbose =
      box.Run({"-v", "encrypt", "p24.bmp", "-o", "v.bmp", "-t", "text.txt", "-k", "key.txt"});
  ASSERT_EQ(verbose.exitCode, 0);
  EXPECT_TRUE(Has(verbose.err, messages::EncryptDone));
  EXPECT_TRUE(Has(verbose.err, messages::PictureSaved));
  const RunResult saved = box.Run({"decrypt", "n.bmp", "-k", "key.txt", "-o", "n.txt", "-v"});
  ASSERT_EQ(saved.exitCode, 0);
  EXPECT_TRUE(Has(saved.err, messages::FileSaved));
}

// A key file and HUSHLAKE_KEY with the same key agree; a key file others can
// read is used with a warning.
TEST_F(PictureCommands, KeyFileAndEnvironmentAgree) {
  box.Write("marked.key", "\xEF\xBB\xBF" + Key + "\r\n\r\n");
  chmod(box.Path("marked.key").c_str(), 0644);
  const RunResult hidden =
      box.Run({"encrypt", "p24.bmp", "-o", "k.bmp", "-k", "marked.key"}, {"agreed"});
  ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
  EXPECT_TRUE(Has(hidden.err,
                  "hushlake-cli: warning: the key file \"marked.key\" can be read by "
                  "other users (permissions 0644)"))
      << hidden.err;
  const RunResult shown = box.Run({"decrypt", "k.bmp"}, {"", Key + "\n"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, "agreed");
  EXPECT_FALSE(Has(Encrypt("p24.bmp", "private.bmp").err, "warning"));

  const RunResult noKey = box.Run({"decrypt", "k.bmp"});
  EXPECT_EQ(noKey.exitCode, 2);
  EXPECT_TRUE(Has(noKey.err, "no key")) << noKey.err;
}

}  // namespace
}  // namespace hushlake::clitest

namespace hushlake::clitest {
namespace {

// A picture file as another program writes it: a larger header with its
// resolution and colour-space fields, odd sizes, bytes after the pixels.
std::string ForeignPicture(std::uint32_t headerSize, int width, int height, std::uint16_t bits) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  bmptest::BmpFixture fixture;
  fixture.WithHeader(headerSize).WithSize(width, height).WithBits(bits);
  if (bits == 8) {
    std::vector<std::uint8_t> palette;
    for (int i = 0; i < 256; ++i)
      for (int b : {i, 255 - i, (i * 7) & 255, 0x5A})
        palette.push_back(static_cast<std::uint8_t>(b));
    fixture.WithAfterHeader(palette);
  }
  std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(std::abs(height)));
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = static_cast<std::uint8_t>(i * 131 + 7);
  std::vector<std::uint8_t> file = fixture.WithPixels(pixels).Build();
  for (std::size_t at = 38; at < 14 + std::min<std::size_t>(headerSize, 40); ++at)
    if (at < 46 || at >= 50) file[at] = static_cast<std::uint8_t>(0x40 + at);
  for (std::size_t at = 14 + 56; at < 14 + headerSize; ++at)
    file[at] = static_cast<std::uint8_t>(at);
  file.insert(file.end(), {1, 2, 3, 4, 5});
  return std::string(file.begin(), file.end());
}

std::uint32_t Le32At(const std::string& file, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(file[at + i]);
  return value;
}

TEST_F(PictureCommands, HiddenTextChangesOnlyBytesInsideThePixelArray) {
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"24-bit V5, odd size", ForeignPicture(124, 101, 51, 24)},
      {"32-bit V4, top-down", ForeignPicture(108, 64, -40, 32)},
      {"8-bit, 256 colours, odd width", ForeignPicture(40, 99, 50, 8)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    box.Write("foreign.bmp", c.file);
    const RunResult hidden = Encrypt("foreign.bmp", "hidden.bmp", {"-f"});
    ASSERT_EQ(hidden.exitCode, 0) << hidden.err;
    const std::string result = box.Read("hidden.bmp");
    ASSERT_EQ(result.size(), c.file.size());
    const std::size_t pixelsStart = Le32At(c.file, 10);
    const std::size_t pixelsEnd = c.file.size() - 5;
    std::size_t changed = 0;
    for (std::size_t at = 0; at < c.file.size(); ++at) {
      if (result[at] == c.file[at]) continue;
      ++changed;
      EXPECT_TRUE(at >= pixelsStart && at < pixelsEnd) << "offset " << at;
    }
    EXPECT_GT(changed, 0u);
    const RunResult back = box.Run({"decrypt", "hidden.bmp", "-k", "key.txt"});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_TRUE(Has(back.out, "Hello") || Has(back.out, "hello")) << back.out;
  }
}

}  // namespace
}  // namespace hushlake::clitest
