// Sealed pictures end to end at the engine: round trips over the kinds of
// pictures and contents, refusals, and that any change to the carried bits
// is refused rather than read as a different content.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/random_picture.h"
#include "common/testing_stretchers.h"
#include "stego/picture/picture_files.h"
#include "stego/sealed/sealed_picture.h"

namespace hushlake::sealed {
namespace {

const Argon2idStretcher kStretcher = TestingStretchers::Fast();
constexpr std::string_view kKey = "nine chars or more";

// Something like a photograph: gradients, a noisy patch, and a little grain.
Picture PhotoLike(int width, int height, PixelFormat format, std::uint32_t seed) {
  Picture picture(width, height, format);
  std::mt19937 random(seed);
  const int bytes = picture.BytesPerPixel();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < bytes; ++c) {
        int value = (x * 3 + y * 2 + c * 40) % 256;
        if (x > width / 2) value = static_cast<int>(random() % 256);
        value += static_cast<int>(random() % 3) - 1;
        picture.Row(y)[x * bytes + c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
      }
    }
  }
  return picture;
}

SealedContent Text(std::string_view text) {
  SealedContent content;
  content.bytes =
      SecretBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  return content;
}

SealedContent File(std::string name, std::size_t size, std::uint32_t seed) {
  SealedContent content;
  content.isFile = true;
  content.name = std::move(name);
  std::mt19937 random(seed);
  for (std::size_t i = 0; i < size; ++i)
    content.bytes.push_back(static_cast<std::uint8_t>(random()));
  return content;
}

void ExpectSame(const SealedContent& a, const SealedContent& b) {
  EXPECT_EQ(a.isFile, b.isFile);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.bytes.Value(), b.bytes.Value());
}

// Only colour bytes change, each by at most one, and a fourth byte never.
void ExpectOnlyColourBytesMovedByOne(const Picture& cover, const Picture& sealed) {
  ASSERT_EQ(cover.Width(), sealed.Width());
  ASSERT_EQ(cover.Height(), sealed.Height());
  const int bytes = cover.BytesPerPixel();
  for (std::size_t i = 0; i < cover.Pixels().size(); ++i) {
    const int change = int{sealed.Pixels()[i]} - int{cover.Pixels()[i]};
    if (bytes == 4 && i % 4 == 3) {
      ASSERT_EQ(change, 0) << "a fourth byte changed at " << i;
    } else {
      ASSERT_LE(std::abs(change), 1) << "at " << i;
    }
  }
}

TEST(SealedPicture, RoundTripsOverPicturesAndContents) {
  struct Case {
    const char* what;
    int width, height;
    PixelFormat format;
    SealedContent content;
  };
  std::vector<Case> cases;
  cases.push_back({"text, 24-bit", 64, 48, PixelFormat::Bgr24, Text("a short text\nwith lines")});
  cases.push_back({"binary file, 32-bit", 80, 61, PixelFormat::Bgrx32, File("data.bin", 150, 1)});
  cases.push_back({"empty file, odd size", 57, 43, PixelFormat::Bgr24, File("empty", 0, 2)});
  cases.push_back({"empty text", 41, 47, PixelFormat::Bgrx32, Text("")});
  cases.push_back({"larger, many chunks", 300, 200, PixelFormat::Bgr24, File("x.bin", 6000, 3)});
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Picture cover = PhotoLike(c.width, c.height, c.format, 11);
    Picture sealed = cover;
    const SealOutcome sealedOutcome = SealIntoPicture(sealed, c.content, kKey, kStretcher);
    ASSERT_TRUE(sealedOutcome.Succeeded());
    ExpectOnlyColourBytesMovedByOne(cover, sealed);
    EXPECT_NE(sealed, cover);
    const OpenOutcome opened = OpenFromPicture(sealed, kKey, kStretcher);
    ASSERT_TRUE(opened.Succeeded());
    ExpectSame(opened.content, c.content);
    EXPECT_FALSE(OpenFromPicture(sealed, "nine chars or morf", kStretcher).Succeeded());
    EXPECT_FALSE(OpenFromPicture(cover, kKey, kStretcher).Succeeded());
  }
}

TEST(SealedPicture, NearlySaturatedPicturesStayInRange) {
  for (std::uint8_t level : {std::uint8_t{0}, std::uint8_t{255}}) {
    Picture cover = test::RandomPicture(60, 50, PixelFormat::Bgr24, 5);
    // Most bytes at the edge of the range, a few noisy ones beside them.
    for (std::uint8_t& byte : cover.Pixels()) byte = byte % 8 == 0 ? byte : level;
    Picture sealed = cover;
    const SealedContent content = Text("saturated");
    ASSERT_TRUE(SealIntoPicture(sealed, content, kKey, kStretcher).Succeeded());
    ExpectOnlyColourBytesMovedByOne(cover, sealed);  // no wrap from 255 to 0 or back
    const OpenOutcome opened = OpenFromPicture(sealed, kKey, kStretcher);
    ASSERT_TRUE(opened.Succeeded());
    ExpectSame(opened.content, content);
  }
}

// The largest packed size a picture takes, and a file that packs to exactly that size.
SealedContent FileOfPackedSize(std::uint64_t packedBytes) {
  for (std::size_t size = packedBytes; size-- > 0;) {
    SealedContent content = File("f", size, 9);
    const auto packed = PackContent(content);
    if (packed.size() == packedBytes) return content;
    if (packed.size() < packedBytes) break;
  }
  ADD_FAILURE() << "no file packs to " << packedBytes << " bytes";
  return {};
}

TEST(SealedPicture, TakesExactlyTheLargestSizeAndRefusesOneByteMore) {
  Picture cover = PhotoLike(48, 40, PixelFormat::Bgr24, 4);
  const SealedCapacity capacity = CapacityOf(cover);
  EXPECT_EQ(capacity.colourBytes, 48u * 40 * 3);
  // (5760 - 4608) / 16 = 72 sealed bytes, 16 of them the tag.
  EXPECT_EQ(capacity.largestBytes, 56u);
  EXPECT_EQ(capacity.safeBytes, 20u);  // 5760 / 160 = 36 sealed bytes

  Picture sealed = cover;
  const SealedContent full = FileOfPackedSize(capacity.largestBytes);
  const SealOutcome outcome = SealIntoPicture(sealed, full, kKey, kStretcher);
  ASSERT_TRUE(outcome.Succeeded());
  EXPECT_TRUE(outcome.aboveSafe);
  ExpectSame(OpenFromPicture(sealed, kKey, kStretcher).content, full);

  Picture refused = cover;
  const SealOutcome tooLarge =
      SealIntoPicture(refused, FileOfPackedSize(capacity.largestBytes + 1), kKey, kStretcher);
  EXPECT_EQ(tooLarge.status, SealedStatus::TooLarge);
  EXPECT_EQ(refused, cover);
}

// How many of the pictures made by flipping one low bit of Sealed, each
// byte in turn, still open.
int OpenedAfterEachLowBitFlip(const Picture& sealed) {
  int opened = 0;
  for (std::size_t i = 0; i < sealed.Pixels().size(); ++i) {
    Picture changed = sealed;
    changed.Pixels()[i] ^= 1u;
    opened += OpenFromPicture(changed, kKey, kStretcher).Succeeded();
  }
  return opened;
}

TEST(SealedPicture, EveryFlippedLowBitOfAFullPictureIsRefused) {
  // At the largest size every colour byte carries: the salt, the header and the payload.
  const Picture cover = PhotoLike(48, 40, PixelFormat::Bgr24, 8);
  Picture sealed = cover;
  const SealedContent full = FileOfPackedSize(CapacityOf(cover).largestBytes);
  ASSERT_TRUE(SealIntoPicture(sealed, full, kKey, kStretcher).Succeeded());
  ASSERT_TRUE(OpenFromPicture(sealed, kKey, kStretcher).Succeeded());
  EXPECT_EQ(OpenedAfterEachLowBitFlip(sealed), 0);
}

TEST(SealedPicture, EveryFlippedLowBitOfASmallContentIsRefusedToo) {
  // A small content leaves most bytes carrying nothing; they are covered by the tag all the
  // same, and so are the fourth bytes of a 32-bit picture.
  const Picture cover = PhotoLike(72, 50, PixelFormat::Bgrx32, 12);
  Picture sealed = cover;
  ASSERT_TRUE(SealIntoPicture(sealed, Text("whole or nothing"), kKey, kStretcher).Succeeded());
  EXPECT_EQ(OpenedAfterEachLowBitFlip(sealed), 0);
}

TEST(SealedPicture, PalettePicturesAndTinyPicturesAreRefused) {
  Picture palette = test::RandomPicture(64, 64, PixelFormat::Indexed8, 3);
  const Picture before = palette;
  EXPECT_EQ(SealIntoPicture(palette, Text("x"), kKey, kStretcher).status,
            SealedStatus::NotTrueColour);
  EXPECT_EQ(palette, before);
  EXPECT_EQ(OpenFromPicture(palette, kKey, kStretcher).status, SealedStatus::NotTrueColour);
  EXPECT_EQ(CapacityOf(palette).largestBytes, 0u);

  Picture tiny = PhotoLike(30, 30, PixelFormat::Bgr24, 3);
  EXPECT_EQ(CapacityOf(tiny).largestBytes, 0u);
  EXPECT_EQ(SealIntoPicture(tiny, Text(""), kKey, kStretcher).status, SealedStatus::TooLarge);
  EXPECT_EQ(OpenFromPicture(tiny, kKey, kStretcher).status, SealedStatus::NothingOpens);
}

TEST(SealedPicture, SurvivesBmpAndPngFilesAndTheSameContentSealsDifferentlyEachTime) {
  const Picture cover = PhotoLike(70, 50, PixelFormat::Bgrx32, 6);
  const SealedContent content = File("notes.txt", 90, 4);
  Picture first = cover;
  Picture second = cover;
  ASSERT_TRUE(SealIntoPicture(first, content, kKey, kStretcher).Succeeded());
  ASSERT_TRUE(SealIntoPicture(second, content, kKey, kStretcher).Succeeded());
  EXPECT_NE(first, second);  // a fresh salt, so fresh keys and places
  for (PictureFileKind kind : {PictureFileKind::Bmp, PictureFileKind::Png}) {
    const auto bytes = EncodePicture(first, kind, SourceFileInfo{});
    const PictureReadResult read =
        ReadPicture(bytes, kind == PictureFileKind::Png ? "a.png" : "a.bmp");
    ASSERT_EQ(read.status, PictureReadStatus::Ok);
    const OpenOutcome opened = OpenFromPicture(read.picture, kKey, kStretcher);
    ASSERT_TRUE(opened.Succeeded()) << KindName(kind);
    ExpectSame(opened.content, content);
  }
}

TEST(SealedContent, PackedRecordsRoundTripAndDamagedOnesAreRefused) {
  const SealedContent file = File("name with spaces.tar.gz", 3000, 5);
  const auto packed = PackContent(file);
  const auto back = UnpackContent(packed.View());
  ASSERT_TRUE(back.has_value());
  ExpectSame(*back, file);
  std::vector<std::uint8_t> cut(packed.begin(), packed.end() - 1);
  EXPECT_FALSE(UnpackContent(cut).has_value());
  EXPECT_THROW(PackContent(File(std::string(256, 'n'), 1, 1)), std::invalid_argument);
}

}  // namespace
}  // namespace hushlake::sealed
