// Loading pictures by content and saving them by the name's extension.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/picture_files.h"
#include "stego/picture/png/png_codec.h"
#include "stego/png_fixture.h"

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

Picture SmallPicture(PixelFormat format) {
  Picture picture(3, 2, format);
  for (std::size_t i = 0; i < picture.Pixels().size(); ++i)
    picture.Pixels()[i] = static_cast<std::uint8_t>(i * 29 + 3);
  return picture;
}

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("picture_files_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Put(const std::string& name, const Bytes& bytes) const {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static Bytes Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};

TEST_F(PictureFiles, FilesAreReadByWhatTheyAreWhateverTheirName) {
  const Picture picture = SmallPicture(PixelFormat::Bgr24);
  struct Case {
    std::string name;
    Bytes bytes;
    PictureFileKind kind;
  };
  for (const Case& c : {Case{"png.bmp", WritePng(picture), PictureFileKind::Png},
                        Case{"bmp.png", WriteBmp(picture), PictureFileKind::Bmp},
                        Case{"plain.png", WritePng(picture), PictureFileKind::Png},
                        Case{"plain.BMP", WriteBmp(picture), PictureFileKind::Bmp}}) {
    const std::string path = Put(c.name, c.bytes);
    for (const PictureReadResult& result : {ReadPictureFile(path), ReadPicture(c.bytes, c.name)}) {
      ASSERT_EQ(result.status, PictureReadStatus::Ok) << c.name << ": " << result.error;
      EXPECT_EQ(result.kind, c.kind) << c.name;
      EXPECT_EQ(result.source.kind, c.kind) << c.name;
      EXPECT_EQ(result.source.format, PixelFormat::Bgr24) << c.name;
      EXPECT_EQ(result.picture, picture) << c.name;
    }
  }
}

TEST_F(PictureFiles, RefusalsComeFromTheReaderTheNameSuggests) {
  const Bytes junk(64, 'j');
  const PictureReadResult png = ReadPictureFile(Put("junk.png", junk));
  EXPECT_EQ(png.status, PictureReadStatus::Malformed);
  EXPECT_EQ(png.kind, PictureFileKind::Png);
  EXPECT_NE(png.error.find("not a PNG file"), std::string::npos) << png.error;
  const PictureReadResult bmp = ReadPictureFile(Put("junk.bmp", junk));
  EXPECT_EQ(bmp.kind, PictureFileKind::Bmp);
  EXPECT_NE(bmp.error.find("not a BMP file"), std::string::npos) << bmp.error;
  const PictureReadResult missing = ReadPictureFile((folder_ / "none.png").string());
  EXPECT_EQ(missing.status, PictureReadStatus::Malformed);
  EXPECT_NE(missing.error.find("none.png"), std::string::npos) << missing.error;
  const Bytes grey =
      pngtest::File({pngtest::Chunk("IHDR", pngtest::Header(1, 1, 8, 0)),
                     pngtest::Chunk("IDAT", pngtest::Compress({0, 0})), pngtest::End()});
  const PictureReadResult unsupported = ReadPictureFile(Put("grey.png", grey));
  EXPECT_EQ(unsupported.status, PictureReadStatus::Unsupported);
  EXPECT_TRUE(unsupported.picture.Empty());
}

TEST(PictureSaveTarget, ExtensionChoosesTheKindAndANameWithoutOneGetsTheSources) {
  struct Case {
    const char* name;
    PictureFileKind source;
    std::optional<SaveTarget> expected;
  };
  const PictureFileKind bmp = PictureFileKind::Bmp, png = PictureFileKind::Png;
  const Case cases[] = {
      {"/p/out.bmp", png, SaveTarget{bmp, "/p/out.bmp"}},
      {"/p/out.BMP", png, SaveTarget{bmp, "/p/out.BMP"}},
      {"/p/out.png", bmp, SaveTarget{png, "/p/out.png"}},
      {"/p/out.Png", bmp, SaveTarget{png, "/p/out.Png"}},
      {"/p/out", bmp, SaveTarget{bmp, "/p/out.bmp"}},
      {"/p/out", png, SaveTarget{png, "/p/out.png"}},
      {"/p.d/out", png, SaveTarget{png, "/p.d/out.png"}},
      {"/p/out.jpg", bmp, std::nullopt},
      {"/p/out.bmp.txt", bmp, std::nullopt},
      {"/p/out.bmpx", bmp, std::nullopt},
      {"/p/out.", png, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<SaveTarget> target = ChooseSaveTarget(c.name, c.source);
    ASSERT_EQ(target.has_value(), c.expected.has_value()) << c.name;
    if (!target) continue;
    EXPECT_EQ(target->kind, c.expected->kind) << c.name;
    EXPECT_EQ(target->path, c.expected->path) << c.name;
  }
}

TEST(PictureSaveTarget, LoadableExtensionsContainBmpOrPng) {
  for (const char* name : {"a.bmp", "a.BMP", "a.png", "a.PNG", "a.xbmp"})
    EXPECT_TRUE(HasPictureExtension(name)) << name;
  for (const char* name : {"a", "a.jpg", "bmp", "png.txt"})
    EXPECT_FALSE(HasPictureExtension(name)) << name;
}

TEST_F(PictureFiles, SavingWritesTheKindTheTargetNamesWithTheSourcesChunks) {
  const Bytes source = pngtest::File(
      {pngtest::Chunk("IHDR", pngtest::Header(3, 2, 8, 2)), pngtest::Chunk("tEXt", {'a', 0, 'b'}),
       pngtest::Chunk("IDAT", pngtest::Compress(Bytes(2 * 10, 0))), pngtest::End()});
  const PictureReadResult read = ReadPicture(source, "in.png");
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  for (PictureFileKind kind : {PictureFileKind::Bmp, PictureFileKind::Png}) {
    const SaveTarget target{kind, (folder_ / ("out" + std::string(KindExtension(kind)))).string()};
    WritePictureFile(read.picture, target, read.source);
    const Bytes written = Contents(target.path);
    EXPECT_EQ(written, EncodePicture(read.picture, kind, read.source));
    const PictureReadResult back = ReadPictureFile(target.path);
    ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
    EXPECT_EQ(back.kind, kind);
    EXPECT_EQ(back.picture, read.picture);
    if (kind == PictureFileKind::Png) {
      EXPECT_EQ(back.source.kept, read.source.kept);
    } else {
      // A BMP keeps its own layout, never the PNG's chunks.
      for (const KeptBlock& block : back.source.kept) EXPECT_NE(block.name, "tEXt");
    }
  }
  EXPECT_THROW(
      WritePictureFile(read.picture, {PictureFileKind::Png, (folder_ / "no" / "x.png").string()},
                       read.source),
      PictureWriteError);
  EXPECT_THROW(EncodePicture(Picture(), PictureFileKind::Bmp, {}), PictureWriteError);
}

}  // namespace
}  // namespace hushlake
