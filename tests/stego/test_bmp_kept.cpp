// A picture written back with what its source file kept differs from that
// file only inside the pixel array, for every header variant a reader meets.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "stego/bmp_fixture.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "stego/picture/bmp/bmp_kept.h"

namespace hushlake {
namespace {

using bmptest::BmpFixture;
using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t count, std::uint8_t seed) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + 37 * i);
  return bytes;
}

Bytes Concat(Bytes first, const Bytes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// Fills header fields the reader never looks at (resolution, important
// colours, and the colour-space part of larger headers), so a writer that
// rebuilds the header instead of keeping it shows up.
void FillIgnoredFields(Bytes& file) {
  const std::uint32_t headerSize = file[14] | file[15] << 8;
  if (headerSize == 12) return;
  for (std::size_t at : {38u, 39u, 40u, 41u, 42u, 43u, 44u, 45u, 50u, 51u, 52u, 53u})
    file[at] = static_cast<std::uint8_t>(0xA0 + at);
  for (std::size_t at = 14 + 56; at < 14 + headerSize; ++at)
    file[at] = static_cast<std::uint8_t>(at * 11);
}

// 256 distinct colours, with a reserved byte that is not zero.
Bytes FullPalette() {
  Bytes table;
  for (int i = 0; i < 256; ++i)
    for (int b : {i, 255 - i, (i * 7) & 255, (i * 13) & 255})
      table.push_back(static_cast<std::uint8_t>(b));
  return table;
}

// What the engine does to a picture, as far as the file is concerned: it
// works on the even-sized part and changes pixel bits.
Picture StegoChanged(Picture picture) {
  picture.TrimToEvenSize();
  for (std::uint8_t& byte : picture.Pixels()) byte ^= 1;
  return picture;
}

std::uint32_t Le32(const Bytes& file, std::size_t at) {
  return file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
         static_cast<std::uint32_t>(file[at + 3]) << 24;
}

// Like `cmp -l`: the offsets where the files differ, and where one is longer.
std::vector<std::size_t> DifferingOffsets(const Bytes& a, const Bytes& b) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i)
    if (i >= a.size() || i >= b.size() || a[i] != b[i]) offsets.push_back(i);
  return offsets;
}

struct KeptCase {
  std::string name;
  BmpFixture fixture;
  Bytes trailing;  // after the pixel array
  // The last row's padding, when the source ends without it: the new file has it.
  std::size_t paddingAdded = 0;
};

std::ostream& operator<<(std::ostream& out, const KeptCase& c) { return out << c.name; }

// The case's file, with what a reader ignores filled in.
Bytes SourceOf(const KeptCase& c) {
  Bytes source = c.fixture.Build();
  source.insert(source.end(), c.trailing.begin(), c.trailing.end());
  FillIgnoredFields(source);
  return source;
}

class BmpKept : public ::testing::TestWithParam<KeptCase> {};

TEST_P(BmpKept, StegoPictureDiffersOnlyInsideThePixelArray) {
  const KeptCase& c = GetParam();
  const Bytes source = SourceOf(c);
  const PictureReadResult read = ReadBmp(source);
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  const Picture changed = StegoChanged(read.picture);

  const Bytes result = WriteBmp(changed, read.source);

  ASSERT_EQ(result.size(), source.size() + c.paddingAdded);
  const std::size_t pixelStart = Le32(source, 10);
  const std::size_t pixelEnd = pixelStart + c.fixture.pixels.size() + c.paddingAdded;
  for (std::size_t offset : DifferingOffsets(source, result)) {
    EXPECT_GE(offset, pixelStart);
    EXPECT_LT(offset, pixelEnd);
  }
  // And the changed pixels are there, with the part the engine left out.
  const PictureReadResult back = ReadBmp(result);
  ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
  Picture backCropped = back.picture;
  backCropped.TrimToEvenSize();
  EXPECT_EQ(backCropped, changed);
  EXPECT_EQ(bmp::EdgeOf(back.picture), bmp::EdgeOf(read.picture));
}

// The file a rewrite writes, removed again with the case.
class RewrittenFile {
 public:
  RewrittenFile()
      : path_(std::filesystem::temp_directory_path() /
              ("hushlake-rewrite-" + std::to_string(::getpid()) + ".bmp")) {}
  ~RewrittenFile() { std::filesystem::remove(path_); }
  RewrittenFile(const RewrittenFile&) = delete;
  RewrittenFile& operator=(const RewrittenFile&) = delete;
  std::string Path() const { return path_.string(); }
  Bytes Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path path_;
};

// StegoChanged's change, made band by band to a file's rows on their way to
// the new file; every row must come exactly once.
Bytes RewrittenWithStegoChange(const Bytes& source, const BmpRewriteLayout& layout) {
  const int evenWidth = layout.width / 2 * 2;
  const std::size_t pixelBytes = layout.format == PixelFormat::Bgrx32  ? 4
                                 : layout.format == PixelFormat::Bgr24 ? 3
                                                                       : 1;
  const std::size_t changedBytes = static_cast<std::size_t>(evenWidth) * pixelBytes;
  std::vector<int> seen(static_cast<std::size_t>(layout.height / 2 * 2), 0);
  const RewrittenFile file;
  RewriteBmpFile(
      layout,
      [&](std::uint64_t offset, std::span<std::uint8_t> into) {
        std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(offset), into.size(),
                    into.begin());
      },
      file.Path(),
      [&](const RowBand& band) {
        for (int y = band.firstRow; y < band.EndRow(); ++y) {
          ++seen.at(static_cast<std::size_t>(y));
          for (std::size_t i = 0; i < changedBytes; ++i) band.Row(y)[i] ^= 1;
        }
      });
  EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int times) { return times == 1; }));
  return file.Contents();
}

// Writing from the file band by band is what writing the read picture gives.
TEST_P(BmpKept, RewriteFromTheFileEqualsWritingThePicture) {
  const Bytes source = SourceOf(GetParam());
  const PictureReadResult read = ReadBmp(source);
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  std::optional<BmpRewriteLayout> layout = PlanBmpRewrite(source);
  ASSERT_TRUE(layout);
  Picture changed = StegoChanged(read.picture);
  if (changed.Format() == PixelFormat::Indexed8) {  // and so does the palette
    Palette palette = changed.GetPalette();
    for (PaletteEntry& entry : palette) entry.green ^= 0x10;
    changed.SetPalette(palette);
    PutRewritePalette(*layout, palette);
  }
  EXPECT_EQ(RewrittenWithStegoChange(source, *layout), WriteBmp(changed, read.source));
}

Bytes Rows(std::size_t stride, int height, std::uint8_t seed) {
  return Pattern(stride * height, seed);
}

INSTANTIATE_TEST_SUITE_P(
    HeaderVariants, BmpKept,
    ::testing::Values(
        KeptCase{"Info40OddSizePaddedBottomUp",
                 BmpFixture().WithSize(3, 3).WithPixels(Rows(12, 3, 1)),
                 {}},
        KeptCase{"Info40EvenSizeWithTrailingBytes",
                 BmpFixture().WithSize(4, 2).WithImageSize(24).WithPixels(Rows(12, 2, 2)),
                 Pattern(7, 90)},
        KeptCase{"V4TopDownWithColourSpace",
                 BmpFixture().WithHeader(108).WithSize(5, -3).WithPixels(Rows(16, 3, 3)),
                 {}},
        KeptCase{"V5StandardMasksGapAndTrailer",
                 BmpFixture()
                     .WithHeader(124)
                     .WithBits(32)
                     .WithCompression(3)
                     .WithMasksInHeader({0xFF0000, 0xFF00, 0xFF, 0xFF000000u})
                     .WithSize(3, 2)
                     .WithAfterHeader(Pattern(10, 5))
                     .WithPixels(Rows(12, 2, 4)),
                 Pattern(3, 77)},
        KeptCase{"Info40BitFieldsMasksAfterHeader",
                 BmpFixture()
                     .WithBits(32)
                     .WithCompression(3)
                     .WithSize(2, 2)
                     .WithAfterHeader(BmpFixture::Words({0xFF0000, 0xFF00, 0xFF}))
                     .WithPixels(Rows(8, 2, 6)),
                 {}},
        KeptCase{"LastRowWithoutItsPadding",
                 BmpFixture().WithSize(3, 3).WithPixels(Pattern(12 * 2 + 9, 11)),
                 {},
                 3},
        KeptCase{"ManyBandsOddHeightBottomUp",
                 BmpFixture().WithSize(1001, 501).WithPixels(Rows(3004, 501, 12)), Pattern(9, 4)},
        KeptCase{"ManyBandsTopDown32Bit",
                 BmpFixture().WithBits(32).WithSize(700, -420).WithPixels(Rows(2800, 420, 13)),
                 {}},
        KeptCase{"CoreHeader24Bit",
                 BmpFixture().WithHeader(12).WithSize(3, 2).WithPixels(Rows(12, 2, 7)),
                 {}},
        KeptCase{"EightBitFullPaletteOddWidth",
                 BmpFixture()
                     .WithBits(8)
                     .WithSize(5, 2)
                     .WithAfterHeader(FullPalette())
                     .WithPixels(Rows(8, 2, 8)),
                 Pattern(5, 1)},
        KeptCase{"EightBitV5With256ColoursAndGap",
                 BmpFixture()
                     .WithHeader(124)
                     .WithBits(8)
                     .WithColors(256)
                     .WithSize(4, -4)
                     .WithAfterHeader(Concat(FullPalette(), Pattern(6, 9)))
                     .WithPixels(Rows(4, 4, 9)),
                 {}}),
    [](const auto& test) { return test.param.name; });

TEST(BmpKeptRle8, WrittenUncompressedKeepingAllButThePixelFields) {
  // Two rows of four: a run of 4 x index 1, end of line, a run of 4 x index 2, end of bitmap.
  const Bytes rle = {4, 1, 0, 0, 4, 2, 0, 1};
  Bytes source = BmpFixture()
                     .WithBits(8)
                     .WithCompression(1)
                     .WithImageSize(static_cast<std::uint32_t>(rle.size()))
                     .WithSize(4, 2)
                     .WithAfterHeader(FullPalette())
                     .WithPixels(rle)
                     .Build();
  const Bytes trailer = Pattern(4, 3);
  source.insert(source.end(), trailer.begin(), trailer.end());
  FillIgnoredFields(source);
  const PictureReadResult read = ReadBmp(source);
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;

  const Bytes result = WriteBmp(StegoChanged(read.picture), read.source);

  const std::size_t pixelStart = Le32(source, 10);
  ASSERT_EQ(result.size(), pixelStart + 8 + trailer.size());
  // File size, compression and image size change; everything else up to the pixels stays.
  for (std::size_t offset : DifferingOffsets(Bytes(source.begin(), source.begin() + pixelStart),
                                             Bytes(result.begin(), result.begin() + pixelStart))) {
    const bool fileSize = offset >= 2 && offset < 6;
    const bool pixelFields = offset >= 30 && offset < 38;
    EXPECT_TRUE(fileSize || pixelFields) << offset;
  }
  EXPECT_EQ(Le32(result, 2), result.size());
  EXPECT_EQ(Le32(result, 30), 0u);
  EXPECT_EQ(Le32(result, 34), 8u);
  EXPECT_EQ(Bytes(result.end() - 4, result.end()), trailer);
  const PictureReadResult back = ReadBmp(result);
  ASSERT_EQ(back.status, PictureReadStatus::Ok) << back.error;
  EXPECT_EQ(back.picture, StegoChanged(read.picture));
}

TEST(BmpKeptFallback, SourcesThatCannotCarryThePictureAreWrittenInThePlainLayout) {
  const Bytes otherMasks = BmpFixture()
                               .WithBits(32)
                               .WithCompression(3)
                               .WithSize(2, 2)
                               .WithAfterHeader(BmpFixture::Words({0xFF, 0xFF00, 0xFF0000}))
                               .WithPixels(Rows(8, 2, 6))
                               .Build();
  const Bytes sixteenColours = BmpFixture()
                                   .WithBits(8)
                                   .WithColors(16)
                                   .WithSize(4, 2)
                                   .WithAfterHeader(Pattern(64, 2))
                                   .WithPixels(Bytes(8, 3))
                                   .Build();
  for (const Bytes& source : {otherMasks, sixteenColours}) {
    const PictureReadResult read = ReadBmp(source);
    ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
    EXPECT_TRUE(read.source.kept.empty());
    const Picture changed = StegoChanged(read.picture);
    const Bytes result = WriteBmp(changed, read.source);
    EXPECT_EQ(result, WriteBmp(changed));
    EXPECT_EQ(ReadBmp(result).picture, changed);
  }
}

TEST(BmpKeptFallback, KeptSourceOfAnotherSizeOrFormatIsNotUsed) {
  const PictureReadResult read =
      ReadBmp(BmpFixture().WithSize(4, 2).WithPixels(Rows(12, 2, 1)).Build());
  ASSERT_EQ(read.status, PictureReadStatus::Ok) << read.error;
  Picture smaller = read.picture;
  smaller.Crop(2, 2);
  Picture other(4, 2, PixelFormat::Bgrx32);
  for (const Picture& picture : {smaller, other})
    EXPECT_EQ(WriteBmp(picture, read.source), WriteBmp(picture));
}

}  // namespace
}  // namespace hushlake
