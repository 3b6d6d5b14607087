// Sealed pictures through the job layer the front ends call: files in and
// out, refusals that write nothing, and stored names that stay names.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/sealed_job.h"
#include "common/file_folder.h"
#include "common/random_picture.h"
#include "common/testing_stretchers.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/png/png_codec.h"

namespace hushlake {
namespace {

const sealed::Argon2idStretcher kStretcher = sealed::TestingStretchers::Fast();

sealed::SealedContent Text(std::string_view text) {
  sealed::SealedContent content;
  content.bytes =
      SecretBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return content;
}

class SealedJob : public test::FileFolder {
 protected:
  SealedJob() : FileFolder("hushlake_sealed_job_") {}
  std::string At(const std::string& name) const { return (folder_ / name).string(); }
  const SecretString key_{"nine characters"};
};

TEST_F(SealedJob, APngKeepsItsChunksAndDiffersOnlyInPixels) {
  const SourceFileInfo kept{PictureFileKind::Png,
                            PixelFormat::Bgr24,
                            {{"gAMA", KeptPlace::BeforePalette, {0, 0, 0xB1, 0x8F}}}};
  WritePngFile(test::RandomPicture(90, 70, PixelFormat::Bgr24, 2), At("cover.png"), kept);
  const SealedEncryptOutcome sealed =
      RunSealedEncrypt({At("cover.png"), At("sealed.png"), false}, Text("kept"), key_, kStretcher);
  ASSERT_TRUE(sealed.Succeeded()) << sealed.message;
  const PictureReadResult read = ReadPictureFile(At("sealed.png"));
  ASSERT_EQ(read.status, PictureReadStatus::Ok);
  EXPECT_EQ(read.source, kept);
  const SealedDecryptOutcome opened = RunSealedDecrypt(At("sealed.png"), key_, kStretcher);
  ASSERT_TRUE(opened.Succeeded());
  EXPECT_EQ(std::string(opened.content.bytes.begin(), opened.content.bytes.end()), "kept");
}

TEST_F(SealedJob, RefusalsWriteNothing) {
  WriteBmpFile(test::RandomPicture(80, 60, PixelFormat::Bgr24, 3), At("cover.bmp"));
  WriteBmpFile(test::RandomPicture(80, 60, PixelFormat::Indexed8, 3), At("palette.bmp"));
  const auto before = Listing();
  std::string big(5000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * i * 131) >> 3);
  const struct {
    const char* what;
    std::string picture, out;
    sealed::SealedContent content;
    std::string key;
    SealedJobStatus status;
  } cases[] = {
      {"short key", At("cover.bmp"), At("a.bmp"), Text("t"), "eight ch",
       SealedJobStatus::KeyTooShort},
      {"palette", At("palette.bmp"), At("a.bmp"), Text("t"), "nine characters",
       SealedJobStatus::PalettePicture},
      {"too large", At("cover.bmp"), At("a.bmp"), Text(big), "nine characters",
       SealedJobStatus::TooLarge},
      {"existing out", At("cover.bmp"), At("palette.bmp"), Text("t"), "nine characters",
       SealedJobStatus::TargetRefused},
      {"no picture", At("missing.bmp"), At("a.bmp"), Text("t"), "nine characters",
       SealedJobStatus::PictureUnreadable},
  };
  for (const auto& c : cases) {
    const SealedEncryptOutcome outcome =
        RunSealedEncrypt({c.picture, c.out, false}, c.content, SecretString(c.key), kStretcher);
    EXPECT_EQ(outcome.status, c.status) << c.what;
    EXPECT_FALSE(outcome.message.empty()) << c.what;
  }
  EXPECT_EQ(Listing(), before);
  const SealedDecryptOutcome palette = RunSealedDecrypt(At("palette.bmp"), key_, kStretcher);
  EXPECT_EQ(palette.status, SealedJobStatus::PalettePicture);
  EXPECT_NE(palette.message.find("24-bit picture"), std::string::npos);
}

TEST(SealedStoredName, OnlyThePlainLastPartIsEverUsed) {
  const struct {
    std::string_view stored;
    std::optional<std::string> name;
  } cases[] = {
      {"notes.txt", "notes.txt"},
      {"../../etc/passwd", "passwd"},
      {"/absolute/path/x.bin", "x.bin"},
      {"C:\\Users\\me\\file.doc", "file.doc"},
      {"dir/", std::nullopt},
      {"..", std::nullopt},
      {"a/.", std::nullopt},
      {"", std::nullopt},
      {"line\nbreak", std::nullopt},
      {"escape\x1b[2J", std::nullopt},
      {"delete\x7f", std::nullopt},
      {"c1\xc2\x9b", std::nullopt},
      // Shown as "invoice_exe.pdf" with the right-to-left override, but an .exe.
      {"invoice_\xe2\x80\xae"
       "fdp.exe",
       std::nullopt},
      {"isolate\xe2\x81\xa7x", std::nullopt},
      {"arabic mark\xd8\x9c", std::nullopt},
      {"\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85.txt", "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85.txt"},
      {"caf\xc3\xa9 \xe2\x82\xac.txt", "caf\xc3\xa9 \xe2\x82\xac.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(SafeStoredName(c.stored), c.name) << c.stored;
}

}  // namespace
}  // namespace hushlake
