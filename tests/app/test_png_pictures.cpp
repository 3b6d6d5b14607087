// PNG pictures in the main window: opened like BMP files, saved in the kind
// the name's extension asks for, and the hidden text readable whichever
// container carries it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/case_names.h"
#include "common/picture_converters.h"
#include "common/random_picture.h"
#include "stego/bmp_fixture.h"
#include "stego/picture/png/png_codec.h"
#include "stego/png_fixture.h"
#include "workflow_window.h"

namespace hushlake {
namespace {

using test::RandomPicture;
using workflow_test::Message;
using workflow_test::Window;
using Bytes = std::vector<std::uint8_t>;

const std::string Key = "Key With Capitals";

Message Info(std::string_view text) { return {"information", std::string(text)}; }
Message Error(std::string_view text) { return {"error", std::string(text)}; }

// A PNG of the picture that also carries a gamma chunk, as many editors write.
Bytes PngWithGamma(const Picture& picture) {
  SourceFileInfo source{PictureFileKind::Png,
                        picture.Format(),
                        {{"gAMA", KeptPlace::BeforePalette, {0, 0, 0xB1, 0x8F}}}};
  return WritePng(picture, source);
}

std::string TextAfterDecrypt(const Window& from, const std::string& path) {
  Window reader;
  reader.files = from.files;
  reader.Open(path);
  reader.key.text = Key;
  reader.Decrypt();
  return reader.editor.text;
}

TEST(PngPictures, OpenedPngIsEncryptedAndSavedAsPngWithItsChunks) {
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24, PixelFormat::Bgrx32}) {
    Window w;
    const Picture picture = RandomPicture(64, 48, format, 7);
    w.files.files["in.png"] = PngWithGamma(picture);
    w.Open("in.png");
    ASSERT_TRUE(w.logic.ImageLoaded());
    EXPECT_EQ(w.logic.OriginalImage(), picture);
    EXPECT_EQ(w.logic.View().originalHint.substr(0, 24), "Original imported image|");
    w.editor.text = "hidden in a png";
    w.key.text = Key;
    w.Encrypt();
    // No extension: the source's kind, PNG, offered first by the dialog.
    w.SaveImageAs("out");
    EXPECT_EQ(w.messages.shown.back(), Info("Picture saved"));
    EXPECT_EQ(w.dialogs.titles.back(),
              format == PixelFormat::Indexed8 ? "Save Encrypted Bitmap" : "Save Encrypted Image");
    ASSERT_TRUE(w.files.Exists("out.png"));
    const PictureReadResult saved = ReadPng(w.files.files["out.png"]);
    ASSERT_EQ(saved.status, PictureReadStatus::Ok) << saved.error;
    EXPECT_EQ(saved.picture, w.logic.EncryptedImage());
    EXPECT_EQ(saved.source.kept, w.logic.OriginalSource().kept);
    EXPECT_EQ(w.logic.View().encryptedHint, "Encrypted Image|out.png");
    const std::string expected = "hidden in a png";
    EXPECT_EQ(TextAfterDecrypt(w, "out.png"), expected);
    // ".bmp" writes a BMP of the same pixels, whatever the source was.
    w.SaveImageAs("copy.bmp");
    EXPECT_EQ(w.files.PictureAt("copy.bmp"), w.logic.EncryptedImage());
    EXPECT_EQ(TextAfterDecrypt(w, "copy.bmp"), expected);
  }
}

TEST(PngPictures, EveryDepthIsSavedInTheKindItsNameAsks) {
  // An 8-bit result saved as "x.png" once got BMP bytes under that name.
  for (PixelFormat format : {PixelFormat::Indexed8, PixelFormat::Bgr24}) {
    Window w;
    w.files.PutPicture("in.bmp", RandomPicture(48, 48, format, 7));
    w.Open("in.bmp");
    w.editor.text = "words";
    w.key.text = Key;
    w.Encrypt();
    w.SaveImageAs("x.png");
    EXPECT_TRUE(LooksLikePng(w.files.files.at("x.png")));
    w.SaveImageAs("y");
    EXPECT_TRUE(w.files.Exists("y.bmp"));
    const int writes = w.files.writes;
    w.SaveImageAs("z.gif");
    EXPECT_EQ(w.messages.shown.back(), Error(messages::PictureNeedsBmpOrPngName));
    EXPECT_FALSE(w.files.Exists("z.gif"));
    EXPECT_EQ(w.files.writes, writes);
  }
}

TEST(PngPictures, UnusablePngsAreRefusedWithTheReason) {
  Window w;
  w.files.files["grey.png"] =
      pngtest::File({pngtest::Chunk("IHDR", pngtest::Header(2, 2, 8, 0)),
                     pngtest::Chunk("IDAT", pngtest::Compress(Bytes(6, 0))), pngtest::End()});
  w.Open("grey.png");
  EXPECT_FALSE(w.logic.ImageLoaded());
  ASSERT_EQ(w.messages.shown.size(), 2u);
  EXPECT_EQ(w.messages.shown[0], Error(messages::WrongPngKind));
  EXPECT_EQ(w.messages.shown[1],
            Error("grey PNG pictures are not supported (only 8-bit palette, RGB and RGBA)"));

  w.messages.shown.clear();
  w.files.files["cut.png"] =
      Bytes(w.files.files["grey.png"].begin(), w.files.files["grey.png"].begin() + 30);
  w.Open("cut.png");  // broken, not of another kind: the reason alone
  ASSERT_EQ(w.messages.shown.size(), 1u);
  EXPECT_EQ(w.messages.shown[0].kind, "error");
  EXPECT_NE(w.messages.shown[0].text.find("truncated file"), std::string::npos);
}

// Encrypt's result stays until the next Encrypt, whatever is opened
// meanwhile, and is saved with what it keeps of its own source.
TEST(PngPictures, AResultStaysWithItsOwnSourceWhenAnotherPictureIsOpened) {
  Window w;
  w.files.files["gamma.png"] = PngWithGamma(RandomPicture(60, 40, PixelFormat::Bgr24, 3));
  w.files.PutPicture("other.bmp", RandomPicture(50, 50, PixelFormat::Indexed8, 4));
  w.Open("gamma.png");
  const std::vector<KeptBlock> kept = w.logic.OriginalSource().kept;
  ASSERT_FALSE(kept.empty());
  w.editor.text = "a hidden text";
  w.key.text = Key;
  w.Encrypt();
  ASSERT_TRUE(w.logic.ImageEncrypted());
  const Picture result = w.logic.EncryptedImage();
  w.Open("other.bmp");
  EXPECT_EQ(w.logic.EncryptedImage(), result);
  w.SaveImageAs("out");  // no extension: the kind of the result's source
  ASSERT_TRUE(w.files.Exists("out.png"));
  const PictureReadResult saved = ReadPicture(w.files.files.at("out.png"), "out.png");
  EXPECT_EQ(saved.picture, result);
  EXPECT_EQ(saved.source.kept, kept);
}

// A picture file that cannot be read at all is not of another depth or kind:
// the window shows the reader's reason, which names what is wrong, and only
// that, and the picture shown before is gone.
TEST(BrokenPictures, AreRefusedWithTheReadersReasonAlone) {
  const Bytes bmp = WriteBmp(RandomPicture(40, 30, PixelFormat::Bgr24, 5));
  const Bytes png = WritePng(RandomPicture(40, 30, PixelFormat::Bgr24, 5), {});
  Bytes crcError = png;
  crcError[8 + 8 + 13] ^= 0x01;  // the header chunk's CRC
  struct Case {
    const char* name;
    Bytes bytes;
    const char* named;  // what the reason names
  };
  const Case cases[] = {
      {"truncated.bmp", Bytes(bmp.begin(), bmp.begin() + static_cast<long>(bmp.size() / 2)),
       "truncated"},
      {"oversized.bmp",
       bmptest::BmpFixture().WithSize(60000, 60000).WithPixels({1, 2, 3, 4}).Build(),
       "exceeds the limit"},
      {"crc.png", crcError, "CRC"},
      {"truncated.png", Bytes(png.begin(), png.begin() + static_cast<long>(png.size() - 20)),
       "truncated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    w.files.PutPicture("good.bmp", RandomPicture(30, 30, PixelFormat::Bgr24, 7));
    w.Open("good.bmp");
    w.files.files[c.name] = c.bytes;
    w.key.text = "a key of some length";
    w.messages.shown.clear();
    w.Open(c.name);
    const PictureReadResult read = ReadPicture(c.bytes, c.name);
    ASSERT_EQ(read.status, PictureReadStatus::Malformed);
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_EQ(w.messages.shown[0], Error(read.error));
    EXPECT_NE(read.error.find(c.named), std::string::npos) << read.error;
    EXPECT_FALSE(w.logic.ImageLoaded());
    EXPECT_FALSE(w.logic.View().originalVisible);
    EXPECT_TRUE(w.logic.View().originalBroken);
    EXPECT_FALSE(w.logic.CanDecrypt());
  }
}

// ------------------------------------- the manual route through other tools

class ConvertedStegoPicture : public ::testing::TestWithParam<test::FormatParam> {
 protected:
  void SetUp() override {
    const std::string missing = testing_support::MissingConverter(GetParam());
    if (!missing.empty()) GTEST_SKIP() << missing;
    folder_ = std::filesystem::temp_directory_path() /
              ("png_app_" + std::to_string(::getpid()) + "_" +
               std::to_string(static_cast<int>(GetParam().format)));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Encrypts into `saved`, converts it with the outside tool into `converted`,
  // and decrypts that.
  std::string HiddenTextAfterConversion(const std::string& saved, const std::string& converted) {
    Window w;
    w.files.PutPicture("in.bmp", RandomPicture(64, 48, GetParam(), 7));
    w.Open("in.bmp");
    w.editor.text = "through another tool";
    w.key.text = Key;
    w.Encrypt();
    w.SaveImageAs(saved);
    const Bytes& bytes = w.files.files.at(saved);
    std::ofstream(folder_ / saved, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!testing_support::ConvertLosslessly(GetParam(), folder_ / saved, folder_ / converted))
      return "conversion failed";
    std::ifstream in(folder_ / converted, std::ios::binary);
    w.files.files[converted] = Bytes(std::istreambuf_iterator<char>(in), {});
    return TextAfterDecrypt(w, converted);
  }

  std::filesystem::path folder_;
};

TEST_P(ConvertedStegoPicture, BmpConvertedToPngDecrypts) {
  EXPECT_EQ(HiddenTextAfterConversion("stego.bmp", "stego.png"), "through another tool");
}

TEST_P(ConvertedStegoPicture, PngConvertedToBmpDecrypts) {
  EXPECT_EQ(HiddenTextAfterConversion("stego.png", "stego.bmp"), "through another tool");
}

INSTANTIATE_TEST_SUITE_P(ThreeDepths, ConvertedStegoPicture,
                         ::testing::Values(PixelFormat::Indexed8, PixelFormat::Bgr24,
                                           PixelFormat::Bgrx32),
                         [](const auto& tested) {
                           return std::to_string(8 * Picture(1, 1, tested.param).BytesPerPixel()) +
                                  "Bits";
                         });

}  // namespace
}  // namespace hushlake
