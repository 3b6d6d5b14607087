// The tool on PNG pictures: read and written on the same rule as in the
// window, and reported like BMP pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "cli_sandbox.h"
#include "stego/picture/png/png_codec.h"
#include "stego/png_fixture.h"
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

// 100 x 50 RGB pixels as a PNG, with the given chunks before and after the
// pixel data; Pixels replaces the compressed rows when given.
std::string PngWith(const std::vector<pngtest::Bytes>& before,
                    const std::vector<pngtest::Bytes>& after,
                    std::optional<pngtest::Bytes> pixels = std::nullopt) {
  const Picture picture = testing_support::RandomPicture(100, 50, PixelFormat::Bgr24, 5);
  std::vector<pngtest::Bytes> rows;
  for (int y = 0; y < picture.Height(); ++y)
    rows.emplace_back(picture.Row(y), picture.Row(y) + picture.RowBytes());
  std::vector<pngtest::Bytes> chunks = {pngtest::Chunk("IHDR", pngtest::Header(100, 50, 8, 2))};
  chunks.insert(chunks.end(), before.begin(), before.end());
  chunks.push_back(pngtest::Chunk(
      "IDAT", pixels.value_or(pngtest::Compress(pngtest::FilteredRows(rows, 3, false)))));
  chunks.insert(chunks.end(), after.begin(), after.end());
  chunks.push_back(pngtest::End());
  const pngtest::Bytes file = pngtest::File(chunks);
  return std::string(file.begin(), file.end());
}

// An animation (APNG) is saved as its first frame, the picture, with the
// animation chunks left out and named; so are chunks that depend on pixels.
TEST_F(PngCommands, AnAnimationIsSavedAsThePictureAndWhatIsLeftOutIsNamed) {
  const pngtest::Bytes frame(26, 0);
  box.Write("anim.png", PngWith({pngtest::Chunk("acTL", {0, 0, 0, 2, 0, 0, 0, 0}),
                                 pngtest::Chunk("fcTL", frame), pngtest::Chunk("quXX", {1})},
                                {pngtest::Chunk("fcTL", frame),
                                 pngtest::Chunk("fdAT", {0, 0, 0, 2, 1, 2, 3})}));
  const RunResult capacity = box.Run({"capacity", "anim.png"});
  EXPECT_EQ(capacity.exitCode, 0) << capacity.err;
  EXPECT_TRUE(Has(capacity.out,
                  "\nLeft out when saved: acTL (animation, only the first frame is the picture), "
                  "fcTL (animation, only the first frame is the picture), "
                  "quXX (unknown, depends on the pixels), "
                  "fdAT (animation, only the first frame is the picture)\n"))
      << capacity.out;

  const RunResult encrypted =
      box.Run({"encrypt", "anim.png", "-o", "out.png", "-t", "text.txt", "-k", "key.txt"});
  ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err;
  EXPECT_TRUE(Has(encrypted.err,
                  "hushlake-cli: note: left out of the saved picture: acTL "
                  "(animation, only the first frame is the picture)"))
      << encrypted.err;
  const std::string saved = box.Read("out.png");
  for (const char* type : {"acTL", "fcTL", "fdAT", "quXX"}) EXPECT_FALSE(Has(saved, type)) << type;
  EXPECT_EQ(box.Run({"decrypt", "out.png", "-k", "key.txt"}).out, "Hidden in a PNG.\n");
}

// Capacity reads the chunks, never the pixels: data that would not even
// decode does not change the figures, as a BMP's header gives them.
TEST_F(PngCommands, CapacityReadsTheChunksWithoutDecodingThePixels) {
  box.Write("broken-rows.png", PngWith({}, {}, pngtest::Bytes(400, 0xFF)));
  const RunResult result = box.Run({"capacity", "broken-rows.png"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(Has(result.out, "Size: 100 x 50 pixels\nDepth: 24 bits per pixel\n")) << result.out;
}

// A broken file is refused with what is wrong with it, in one line; the line
// for a picture of another kind or depth is kept for exactly that case.
TEST_F(PngCommands, ARefusedPictureSaysWhatIsWrongWithIt) {
  const std::string good = box.Read("photo.png");
  std::string badCrc = good;
  badCrc[20] = static_cast<char>(badCrc[20] ^ 1);  // inside the IHDR chunk
  box.Write("crc.png", badCrc);
  box.Write("cut.png", good.substr(0, good.size() / 2));
  const auto write = [&](const std::string& name, const std::vector<pngtest::Bytes>& chunks) {
    const pngtest::Bytes file = pngtest::File(chunks);
    box.Write(name, std::string(file.begin(), file.end()));
  };
  write("huge.png", {pngtest::Chunk("IHDR", pngtest::Header(65536, 65536, 8, 2)),
                     pngtest::Chunk("IDAT", pngtest::Bytes(100, 0)), pngtest::End()});
  write("grey.png",
        {pngtest::Chunk("IHDR", pngtest::Header(30, 30, 8, 0)),
         pngtest::Chunk("IDAT", pngtest::Compress(pngtest::Bytes(31 * 30, 0))), pngtest::End()});
  ASSERT_EQ(box.Run({"encrypt", "photo.png", "-o", "photo.bmp", "-t", "text.txt", "-k", "key.txt"})
                .exitCode,
            0);
  const std::string bmp = box.Read("photo.bmp");
  box.Write("cut.bmp", bmp.substr(0, bmp.size() / 2));
  const std::string kindLine(messages::WrongPngKind.substr(0, messages::WrongPngKind.find('\n')));
  const struct {
    const char* file;
    std::string reason;
    bool otherKind;  // the file is sound, of a kind the tool does not read
  } cases[] = {
      {"crc.png",
       "\"crc.png\" is not a usable PNG file: the IHDR chunk is damaged (its CRC does not match)",
       false},
      {"cut.png", "\"cut.png\" is not a usable PNG file: truncated file: ", false},
      {"huge.png",
       "\"huge.png\" is not a usable PNG file: picture size 65536 x 65536 exceeds the limit of "
       "268435456 pixels",
       false},
      {"cut.bmp", "\"cut.bmp\" is not a usable BMP file: truncated file: ", false},
      {"grey.png", "grey PNG pictures are not supported (only 8-bit palette, RGB and RGBA)", true},
  };
  for (const auto& c : cases) {
    for (const char* command : {"capacity", "decrypt"}) {
      const RunResult result = box.Run({command, c.file, "-k", "key.txt"});
      SCOPED_TRACE(std::string(command) + " " + c.file + ":\n" + result.err);
      EXPECT_EQ(result.exitCode, 1);
      EXPECT_TRUE(Has(result.err, "hushlake-cli: " + c.reason));
      EXPECT_EQ(Has(result.err, kindLine), c.otherKind);
      if (!c.otherKind) {
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1);
      }
    }
  }
}

}  // namespace
}  // namespace hushlake::clitest
