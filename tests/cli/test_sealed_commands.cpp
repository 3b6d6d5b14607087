// The tool on sealed pictures: round trips, refusals with one clear message
// and exit 1, and stored file names that stay names. Every run that opens or
// writes a sealed picture spends the real key derivation, so the cases are few.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cli_sandbox.h"
#include "picture_files.h"
#include "stego/picture/png/png_codec.h"
#include "stego/sealed/sealed_picture.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";
constexpr std::string_view NothingOpens = "Nothing sealed opens with this key";

bool Has(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

class SealedCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "photo.bmp", 160, 120, PixelFormat::Bgr24);
    box.Write("key.txt", Key + "\n");
    box.Write("wrong.txt", "Correct horse 43\n");
    box.Write("text.txt", "Sealed away.\nSecond line, no end");
  }
  RunResult Sealed(std::vector<std::string> args) const {
    args.insert(args.end(), {"--sealed", "-k", "key.txt"});
    return box.Run(args);
  }
  CliSandbox box;
};

TEST_F(SealedCommands, ATextComesBackByteForByteAndOnlyPixelsChange) {
  const RunResult sealed = Sealed({"encrypt", "photo.bmp", "-o", "sealed.bmp", "-t", "text.txt"});
  ASSERT_EQ(sealed.exitCode, 0) << sealed.err;
  const std::string cover = box.Read("photo.bmp");
  const std::string result = box.Read("sealed.bmp");
  ASSERT_EQ(cover.size(), result.size());
  EXPECT_EQ(cover.substr(0, 54), result.substr(0, 54));
  EXPECT_NE(cover, result);

  const RunResult opened = Sealed({"decrypt", "sealed.bmp"});
  ASSERT_EQ(opened.exitCode, 0) << opened.err;
  EXPECT_EQ(opened.out, box.Read("text.txt"));

  const RunResult detected = box.Run({"decrypt", "--detect", "sealed.bmp", "-k", "key.txt"});
  EXPECT_EQ(detected.exitCode, 0) << detected.err;
  EXPECT_EQ(detected.out, "--sealed\n");
}

TEST_F(SealedCommands, WrongKeysAndChangedPicturesGetOneMessageAndNothingWritten) {
  ASSERT_EQ(Sealed({"encrypt", "photo.bmp", "-o", "sealed.bmp", "-t", "text.txt"}).exitCode, 0);
  const RunResult wrong =
      box.Run({"decrypt", "--sealed", "sealed.bmp", "-k", "wrong.txt", "-o", "out.txt"});
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_TRUE(Has(wrong.err, NothingOpens)) << wrong.err;
  EXPECT_FALSE(box.Exists("out.txt"));

  std::string changed = box.Read("sealed.bmp");
  changed[54 + 3 * 160 * 60 + 100] ^= 1;  // one low bit, whether it carries a bit or not
  box.Write("changed.bmp", changed);
  // The cover itself holds nothing sealed.
  for (const char* picture : {"changed.bmp", "photo.bmp"}) {
    const RunResult refused = Sealed({"decrypt", picture, "-o", "out.txt"});
    EXPECT_EQ(refused.exitCode, 1) << picture;
    EXPECT_TRUE(Has(refused.err, NothingOpens)) << refused.err;
    EXPECT_FALSE(box.Exists("out.txt"));
  }
}

TEST_F(SealedCommands, AFileGoesBackUnderItsNameIntoTheChosenFolderAndNeverOverAnother) {
  std::string binary;
  for (int i = 0; i < 3000; ++i) binary += static_cast<char>((i * 7919) % 256);
  box.Write("data.bin", binary);
  const Picture picture = testing_support::RandomPicture(200, 90, PixelFormat::Bgrx32, 4);
  WritePngFile(picture, box.Path("photo.png"), SourceFileInfo{});
  ASSERT_EQ(Sealed({"encrypt", "photo.png", "--file", "data.bin", "-o", "sealed.png"}).exitCode, 0);
  std::filesystem::create_directory(box.Path("into"));
  const RunResult opened = Sealed({"decrypt", "sealed.png", "--folder", "into"});
  ASSERT_EQ(opened.exitCode, 0) << opened.err;
  EXPECT_EQ(box.Read("into/data.bin"), binary);

  box.Write("into/data.bin", "mine");
  const RunResult again = Sealed({"decrypt", "sealed.png", "--folder", "into"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_EQ(box.Read("into/data.bin"), "mine");
  EXPECT_EQ(Sealed({"decrypt", "sealed.png", "--folder", "into", "--force"}).exitCode, 0);
  EXPECT_EQ(box.Read("into/data.bin"), binary);
}

TEST_F(SealedCommands, AStoredNameWithFoldersOrControlCharactersIsOnlyAName) {
  // Pictures made as a hostile sender would, with the format's own key derivation.
  const sealed::Argon2idStretcher stretcher;
  const struct {
    std::string stored;
    std::string written;  // empty: refused
  } cases[] = {{"../../outside.txt", "outside.txt"}, {"bad\x1bname", ""}};
  std::filesystem::create_directory(box.Path("into"));
  for (const auto& c : cases) {
    Picture picture = testing_support::RandomPicture(120, 80, PixelFormat::Bgr24, 9);
    sealed::SealedContent content;
    content.isFile = true;
    content.name = c.stored;
    content.bytes.push_back('x');
    ASSERT_TRUE(sealed::SealIntoPicture(picture, content, Key, stretcher).Succeeded());
    WriteBmpFile(picture, box.Path("hostile.bmp"));
    const RunResult opened = Sealed({"decrypt", "hostile.bmp", "--folder", "into"});
    if (c.written.empty()) {
      EXPECT_EQ(opened.exitCode, 1);
      EXPECT_TRUE(Has(opened.err, "not a plain file name")) << opened.err;
    } else {
      EXPECT_EQ(opened.exitCode, 0) << opened.err;
      EXPECT_EQ(box.Read("into/" + c.written), "x");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(box.Path("../outside.txt")));
  EXPECT_FALSE(std::filesystem::exists(box.Path("outside.txt")));
}

TEST_F(SealedCommands, RefusalsComeBeforeTheKeyDerivation) {
  WritePicture(box, "palette.bmp", 64, 64, PixelFormat::Indexed8);
  // Refused before the key is read and long before the key derivation.
  const RunResult palette = Sealed({"encrypt", "palette.bmp", "-o", "x.bmp", "-t", "text.txt"});
  EXPECT_EQ(palette.exitCode, 1);
  EXPECT_TRUE(Has(palette.err, "24-bit picture")) << palette.err;

  std::string big;
  std::mt19937 random(5);  // random bytes do not compress
  for (int i = 0; i < 20000; ++i) big += static_cast<char>(random());
  box.Write("big.bin", big);
  const RunResult tooLarge = Sealed({"encrypt", "photo.bmp", "-o", "x.bmp", "--file", "big.bin"});
  EXPECT_EQ(tooLarge.exitCode, 1);
  EXPECT_TRUE(Has(tooLarge.err, "Too large for a sealed picture")) << tooLarge.err;
  EXPECT_FALSE(box.Exists("x.bmp"));

  const RunResult capacity = box.Run({"capacity", "--sealed", "photo.bmp"});
  EXPECT_EQ(capacity.exitCode, 0);
  // 160 x 120 x 3 = 57600 colour bytes: 57600 / 160 - 16 and (57600 - 4608) / 16 - 16.
  EXPECT_TRUE(Has(capacity.out, "safe size: 344 bytes")) << capacity.out;
  EXPECT_TRUE(Has(capacity.out, "largest size: 3296 bytes")) << capacity.out;

  EXPECT_EQ(box.Run({"encrypt", "--sealed", "photo.bmp", "-o", "x.bmp", "-c", "blowfish"}).exitCode,
            2);
  EXPECT_EQ(box.Run({"encrypt", "photo.bmp", "-o", "x.bmp", "--file", "big.bin"}).exitCode, 2);
}

}  // namespace
}  // namespace hushlake::clitest
