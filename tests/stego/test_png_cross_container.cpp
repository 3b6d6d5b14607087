// The rule that keeps hidden text readable across containers: a picture
// moved between BMP and PNG by a lossless tool is the same picture.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/picture_converters.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/png/png_codec.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

using testing_support::ConvertLosslessly;
using testing_support::MissingConverter;

// Pictures like the engine's output: random bytes (so every bit counts) and,
// for 8-bit ones, 256 distinct palette entries with a zero flags byte.
Picture StegoLikePicture(PixelFormat format, unsigned seed) {
  std::mt19937 random(seed);
  Picture picture(37, 23, format);
  for (auto& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
  if (format == PixelFormat::Indexed8) {
    Palette palette;
    for (std::size_t i = 0; i < palette.size(); ++i)
      palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(random()),
                    static_cast<std::uint8_t>(255 - i), 0};
    picture.SetPalette(palette);
  }
  return picture;
}

class CrossContainer : public ::testing::TestWithParam<test::FormatParam> {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("png_cross_" + std::to_string(::getpid()) + "_" +
               std::to_string(static_cast<int>(GetParam().format)));
    std::filesystem::create_directories(folder_);
    const std::string missing = MissingConverter(GetParam());
    if (!missing.empty()) GTEST_SKIP() << missing;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_P(CrossContainer, BmpConvertedToPngReadsAsTheSamePicture) {
  const Picture picture = StegoLikePicture(GetParam(), 1);
  const auto bmp = folder_ / "stego.bmp", png = folder_ / "stego.png";
  WriteBmpFile(picture, bmp.string());
  ASSERT_TRUE(ConvertLosslessly(GetParam(), bmp, png));
  const PictureReadResult read = ReadPngFile(png.string());
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  EXPECT_EQ(read.picture, picture);
}

TEST_P(CrossContainer, OurPngConvertedToBmpReadsAsTheSamePicture) {
  const Picture picture = StegoLikePicture(GetParam(), 2);
  const auto png = folder_ / "stego.png", bmp = folder_ / "stego.bmp";
  WritePngFile(picture, png.string());
  ASSERT_TRUE(ConvertLosslessly(GetParam(), png, bmp));
  const PictureReadResult read = ReadBmpFile(bmp.string());
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  EXPECT_EQ(read.picture, picture);
}

INSTANTIATE_TEST_SUITE_P(ThreeDepths, CrossContainer,
                         ::testing::Values(PixelFormat::Indexed8, PixelFormat::Bgr24,
                                           PixelFormat::Bgrx32),
                         [](const auto& tested) {
                           return std::to_string(8 * Picture(1, 1, tested.param).BytesPerPixel()) +
                                  "Bits";
                         });

}  // namespace
}  // namespace hushlake
