// The rule that keeps hidden text readable across containers: a picture
// moved between BMP and PNG by a lossless tool is the same picture. Runs the
// tools the help text's manual route uses: ImageMagick for 24- and 32-bit
// pictures, Pillow for 8-bit ones (ImageMagick reorders palettes).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "stego/bmp_codec.h"
#include "stego/png_codec.h"

namespace hushlake {
namespace {

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

bool Runs(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// The Debian python3 first: that is where the scripts install Pillow.
std::string PythonWithPillow() {
  for (const char* python : {"/usr/bin/python3", "python3"})
    if (Runs(std::string(python) + " -c 'import PIL'")) return python;
  return {};
}

struct Route {
  const char* name;
  PixelFormat format;
  // Commands with {in} and {out}: BMP to PNG, and PNG to BMP.
  const char* toPng;
  const char* toBmp;
  bool pillow;
};

std::string Fill(std::string command, const std::string& tool, const std::filesystem::path& in,
                 const std::filesystem::path& out) {
  const auto put = [&command](const std::string& key, const std::string& value) {
    for (std::size_t at; (at = command.find(key)) != std::string::npos;)
      command.replace(at, key.size(), value);
  };
  put("{tool}", tool);
  put("{in}", Quoted(in));
  put("{out}", Quoted(out));
  return command;
}

class CrossContainer : public ::testing::TestWithParam<Route> {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("png_cross_" + std::to_string(::getpid()) + "_" + GetParam().name);
    std::filesystem::create_directories(folder_);
    tool_ = GetParam().pillow ? PythonWithPillow() : (Runs("convert -version") ? "convert" : "");
    if (tool_.empty())
      GTEST_SKIP() << (GetParam().pillow ? "Pillow" : "ImageMagick")
                   << " is not installed (scripts/ensure_packages.sh installs it)";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  std::string tool_;
};

TEST_P(CrossContainer, BmpConvertedToPngReadsAsTheSamePicture) {
  const Picture picture = StegoLikePicture(GetParam().format, 1);
  const auto bmp = folder_ / "stego.bmp", png = folder_ / "stego.png";
  WriteBmpFile(picture, bmp.string());
  ASSERT_TRUE(Runs(Fill(GetParam().toPng, tool_, bmp, png)));
  const PngReadResult read = ReadPngFile(png.string());
  ASSERT_EQ(read.status, PngStatus::Ok) << read.error;
  EXPECT_EQ(read.picture, picture);
}

TEST_P(CrossContainer, OurPngConvertedToBmpReadsAsTheSamePicture) {
  const Picture picture = StegoLikePicture(GetParam().format, 2);
  const auto png = folder_ / "stego.png", bmp = folder_ / "stego.bmp";
  WritePngFile(picture, png.string());
  ASSERT_TRUE(Runs(Fill(GetParam().toBmp, tool_, png, bmp)));
  const BmpReadResult read = ReadBmpFile(bmp.string());
  ASSERT_EQ(read.status, BmpStatus::Ok) << read.error;
  EXPECT_EQ(read.picture, picture);
}

constexpr const char* kPillowConvert =
    "{tool} -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2])' "
    "{in} {out}";

INSTANTIATE_TEST_SUITE_P(
    HelpTextTools, CrossContainer,
    ::testing::Values(
        Route{"Bits24ImageMagick", PixelFormat::Bgr24, "{tool} {in} PNG24:{out}",
              "{tool} {in} BMP3:{out}", false},
        Route{"Bits32ImageMagick", PixelFormat::Bgrx32, "{tool} {in} PNG32:{out}",
              "{tool} {in} {out}", false},
        Route{"Bits8Pillow", PixelFormat::Indexed8, kPillowConvert, kPillowConvert, true}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace hushlake
