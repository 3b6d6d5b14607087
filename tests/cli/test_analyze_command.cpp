// `hushlake-cli analyze` through the built tool: one block per picture in
// BMP and PNG of every depth, every refused file named, JSON for scripts,
// and the comparison of a cover with a picture made from it.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/analysis_pictures.h"
#include "cli_sandbox.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"

namespace hushlake::clitest {
namespace {

using testing::PhotoLike;
using testing::ReplaceLowBits;

class AnalyzeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    cover_ = PhotoLike(200, 200, 51, 1.5);
    WriteBmpFile(cover_, box_.Path("cover.bmp"));
    Picture stego = cover_;
    ReplaceLowBits(stego, 0.5, 52);
    WritePng("stego.png", stego);
  }
  void WritePng(const std::string& name, const Picture& picture) {
    const std::vector<std::uint8_t> bytes = EncodePicture(picture, PictureFileKind::Png, {});
    box_.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  CliSandbox box_;
  Picture cover_;
};

TEST_F(AnalyzeCommand, GivesOneBlockPerPictureOfEveryDepthAndContainer) {
  // The same photograph as a 32-bit BMP and as a grey palette PNG.
  Picture wide(200, 200, PixelFormat::Bgrx32);
  Picture grey(200, 200, PixelFormat::Indexed8);
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    palette[static_cast<std::size_t>(i)] = {level, level, level, 0};
  }
  grey.SetPalette(palette);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) {
      for (int c = 0; c < 3; ++c) wide.Row(y)[x * 4 + c] = cover_.Row(y)[x * 3 + c];
      grey.Row(y)[x] = cover_.Row(y)[x * 3 + 1];
    }
  WriteBmpFile(wide, box_.Path("wide.bmp"));
  WritePng("grey.png", grey);

  const RunResult result = box_.Run({"analyze", "cover.bmp", "stego.png", "wide.bmp", "grey.png"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("cover.bmp: looks untouched\n  200 x 200 pixels, 24 bits\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("stego.png: low bits look replaced: about "), std::string::npos);
  EXPECT_NE(result.out.find("wide.bmp: looks untouched\n  200 x 200 pixels, 32 bits\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("grey.png: looks untouched\n  200 x 200 pixels, 8 bits\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("  Palette: "), std::string::npos);
  EXPECT_NE(result.out.find("Can carry about "), std::string::npos);
  for (const char* line : {"    SPA ", "    RS ", "    WS ", "  Chi-square: ", "  Low bit planes: ",
                           "  Even and odd offsets: ", "  JPEG: "})
    EXPECT_NE(result.out.find(line), std::string::npos) << line;
}

TEST_F(AnalyzeCommand, NamesEveryRefusedFileAndStillAnalysesTheRest) {
  box_.Write("notes.bmp", "not a picture at all");
  const RunResult result = box_.Run({"analyze", "missing.png", "cover.bmp", "notes.bmp"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("hushlake-cli: missing.png: "), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("hushlake-cli: notes.bmp: "), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("cover.bmp: looks untouched"), std::string::npos);
  EXPECT_EQ(result.out.find("missing.png"), std::string::npos);

  EXPECT_EQ(box_.Run({"analyze"}).exitCode, 2);
}

TEST_F(AnalyzeCommand, JsonHoldsEveryPictureAndEveryRefusal) {
  const RunResult result = box_.Run({"analyze", "--json", "cover.bmp", "missing.bmp"});
  EXPECT_EQ(result.exitCode, 1);
  ASSERT_GE(result.out.size(), 2u);
  EXPECT_EQ(result.out.front(), '[');
  EXPECT_EQ(result.out.substr(result.out.size() - 2), "]\n");
  EXPECT_NE(result.out.find("{\"file\": \"cover.bmp\", \"verdict\": \"looks untouched\", "
                            "\"finding\": \"untouched\""),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\"replacedRates\": {\"blue\": {\"spa\": "), std::string::npos);
  EXPECT_NE(result.out.find("{\"file\": \"missing.bmp\", \"error\": \""), std::string::npos);
}

TEST_F(AnalyzeCommand, ComparesACoverWithThePictureMadeFromIt) {
  const RunResult result = box_.Run({"analyze", "--against", "cover.bmp", "stego.png"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("cover.bmp against stego.png\n  Bytes changed: "), std::string::npos)
      << result.out;
  // Half the low bits replaced: about a quarter of them change.
  const std::size_t low = result.out.find("  Low bits changed: ");
  ASSERT_NE(low, std::string::npos);
  const double share = std::stod(result.out.substr(result.out.find('(', low) + 1));
  EXPECT_NEAR(share, 25.0, 1.5);
  EXPECT_NE(result.out.find("  PSNR: "), std::string::npos);
  EXPECT_NE(result.out.find("\nBefore:\ncover.bmp: looks untouched"), std::string::npos);
  EXPECT_NE(result.out.find("\nAfter:\nstego.png: low bits look replaced"), std::string::npos);

  const RunResult json = box_.Run({"analyze", "--json", "--against", "cover.bmp", "stego.png"});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_NE(json.out.find("{\"cover\": \"cover.bmp\", \"stego\": \"stego.png\", \"bytes\": 120000"),
            std::string::npos)
      << json.out;

  WriteBmpFile(PhotoLike(100, 100, 53), box_.Path("small.bmp"));
  const RunResult mismatched = box_.Run({"analyze", "--against", "cover.bmp", "small.bmp"});
  EXPECT_EQ(mismatched.exitCode, 1);
  EXPECT_NE(mismatched.err.find("differ in size or depth"), std::string::npos) << mismatched.err;
  EXPECT_EQ(box_.Run({"analyze", "--against", "cover.bmp", "stego.png", "small.bmp"}).exitCode, 2);
  const RunResult missing = box_.Run({"analyze", "--against", "gone.bmp", "stego.png"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("gone.bmp"), std::string::npos);
}

TEST_F(AnalyzeCommand, ReadsStandardInput) {
  RunInput input;
  input.standardInputFile = "cover.bmp";
  const RunResult result = box_.Run({"analyze", "-"}, input);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("-: looks untouched"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace hushlake::clitest
