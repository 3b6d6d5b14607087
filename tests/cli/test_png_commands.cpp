// The tool on PNG pictures: read and written on the same rule as in the
// window, and reported like BMP pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "cli_sandbox.h"
#include "stego/picture/png/png_codec.h"
#include "stego/stego_test_support.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";

bool Has(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

class PngCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const Picture picture = testing_support::RandomPicture(100, 50, PixelFormat::Bgr24, 3);
    const SourceFileInfo gamma{PictureFileKind::Png,
                               PixelFormat::Bgr24,
                               {{"gAMA", KeptPlace::BeforePalette, {0, 0, 0xB1, 0x8F}}}};
    WritePngFile(picture, box.Path("photo.png"), gamma);
    box.Write("key.txt", Key + "\n");
    box.Write("text.txt", "Hidden in a PNG.\n");
  }

  RunResult Encrypt(const std::string& out) const {
    return box.Run({"encrypt", "photo.png", "-o", out, "-t", "text.txt", "-k", "key.txt"});
  }

  CliSandbox box;
};

TEST_F(PngCommands, CapacityReportsAPngLikeABmpAndNamesItsKeptChunks) {
  const RunResult result = box.Run({"capacity", "photo.png"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "Size: 100 x 50 pixels\nDepth: 24 bits per pixel\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Capacity: 2450 characters")) << result.out;
  EXPECT_TRUE(Has(result.out, "\nKept unchanged: gAMA (gamma)\n")) << result.out;
}

// The name is used as given (nothing is added); without an extension the
// picture is saved in the kind it came in.
TEST_F(PngCommands, ANameWithoutExtensionIsUsedAsGivenForAPngAndTheTextComesBack) {
  const RunResult encrypted = Encrypt("result");
  ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err;
  EXPECT_TRUE(Has(encrypted.err, "\"result\"")) << encrypted.err;
  EXPECT_FALSE(box.Exists("result.png"));
  ASSERT_TRUE(box.Exists("result"));
  const PictureReadResult saved = ReadPngFile(box.Path("result"));
  ASSERT_EQ(saved.status, PictureReadStatus::Ok) << saved.error;
  EXPECT_EQ(DescribeKeptChunks(saved.source), "gAMA (gamma)");
  const RunResult decrypted = box.Run({"decrypt", "-", "-k", "key.txt"}, {box.Read("result")});
  EXPECT_EQ(decrypted.exitCode, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, "Hidden in a PNG.\n");
  // As a BMP, by its name; and the BMP decrypts the same.
  ASSERT_EQ(Encrypt("result.bmp").exitCode, 0);
  EXPECT_EQ(box.Read("result.bmp").substr(0, 2), "BM");
  EXPECT_EQ(box.Run({"decrypt", "result.bmp", "-k", "key.txt"}).out, "Hidden in a PNG.\n");
}

TEST_F(PngCommands, APngThroughThePipesStaysAPng) {
  const RunResult encrypted = box.Run(
      {"encrypt", "-", "-o", "-", "-t", "text.txt", "-k", "key.txt"}, {box.Read("photo.png")});
  ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err;
  const std::vector<std::uint8_t> bytes(encrypted.out.begin(), encrypted.out.end());
  EXPECT_TRUE(LooksLikePng(bytes));
  const RunResult decrypted = box.Run({"decrypt", "-", "-k", "key.txt"}, {encrypted.out});
  EXPECT_EQ(decrypted.exitCode, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, "Hidden in a PNG.\n");
}

TEST_F(PngCommands, AnotherExtensionIsRefusedBeforeAnyWork) {
  const RunResult result = Encrypt("result.jpg");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(Has(result.err,
                  "hushlake-cli: Pictures are saved as BMP or PNG files only\n"
                  "hushlake-cli: Please choose a file name ending in .bmp or .png"))
      << result.err;
  EXPECT_FALSE(box.Exists("result.jpg"));
}

}  // namespace
}  // namespace hushlake::clitest
