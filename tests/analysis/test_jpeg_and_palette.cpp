// JPEG history on pictures we compress and decompress ourselves, and the
// palette tells on hand-made palettes.
#include <gtest/gtest.h>

#include "analysis/analysis_pictures.h"
#include "stego/analysis/jpeg_history.h"
#include "stego/analysis/palette_tells.h"

namespace hushlake::analysis {
namespace {

using testing::JpegRoundTrip;
using testing::PhotoLike;
using testing::ReplaceLowBits;

TEST(JpegHistory, ADecompressedJpegIsRecognisedWithItsQuality) {
  const Picture cover = PhotoLike(256, 256, 21, 6.0);
  for (const int quality : {50, 75, 85, 95}) {
    const JpegHistory history = DetectJpegHistory(PixelView::Of(JpegRoundTrip(cover, quality)));
    EXPECT_TRUE(history.wasJpeg) << quality;
    EXPECT_NEAR(history.quality, quality, 3) << quality;
    EXPECT_EQ(history.gridColumn, 0);
    EXPECT_EQ(history.gridRow, 0);
    EXPECT_GT(history.compatibleBlocks, 0.95) << quality;
  }
}

TEST(JpegHistory, AGridMovedByCroppingIsFoundAtItsPlace) {
  const Picture jpeg = JpegRoundTrip(PhotoLike(264, 264, 22, 6.0), 75);
  // Drop the first three columns and five rows: blocks start at column 5, row 3.
  Picture cropped(256, 256, PixelFormat::Bgr24);
  for (int y = 0; y < 256; ++y)
    std::copy(jpeg.Row(y + 5) + 3 * 3, jpeg.Row(y + 5) + 3 * 3 + 256 * 3, cropped.Row(y));
  const JpegHistory history = DetectJpegHistory(PixelView::Of(cropped));
  EXPECT_TRUE(history.wasJpeg);
  EXPECT_EQ(history.gridColumn, 5);
  EXPECT_EQ(history.gridRow, 3);
  EXPECT_GT(history.blockiness, 1.1);
}

TEST(JpegHistory, ChangesAfterDecompressionLeaveBlocksNoJpegGives) {
  Picture jpeg = JpegRoundTrip(PhotoLike(256, 256, 23, 6.0), 80);
  ReplaceLowBits(jpeg, 1.0, 24);
  const JpegHistory history = DetectJpegHistory(PixelView::Of(jpeg));
  EXPECT_TRUE(history.wasJpeg);
  EXPECT_LT(history.compatibleBlocks, 0.5);
}

TEST(JpegHistory, ANeverCompressedPictureIsNotTakenForOne) {
  for (const double noise : {1.0, 3.0, 8.0}) {
    const JpegHistory history = DetectJpegHistory(PixelView::Of(PhotoLike(256, 256, 25, noise)));
    EXPECT_FALSE(history.wasJpeg) << noise;
    EXPECT_EQ(history.quality, 0);
    EXPECT_LT(history.blockiness, 1.1) << noise;
  }
}

Picture PalettePicture(const Palette& palette, int usedEntries) {
  Picture picture(64, 64, PixelFormat::Indexed8);
  picture.SetPalette(palette);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      picture.Row(y)[x] = static_cast<std::uint8_t>((x + y * 64) % usedEntries);
  return picture;
}

TEST(PaletteTells, CountsEqualAndNearPairsAmongUsedEntriesOnly) {
  Palette palette{};
  // Entries 0..31: sixteen pairs, eight equal and eight one step apart;
  // 32..63 far apart; 64.. unused, all black (equal to each other, but unused).
  for (int i = 0; i < 16; ++i) {
    const auto level = static_cast<std::uint8_t>(i * 15);
    palette[static_cast<std::size_t>(2 * i)] = {level, level, level, 0};
    const auto partner = static_cast<std::uint8_t>(i < 8 ? level : level + 1);
    palette[static_cast<std::size_t>(2 * i + 1)] = {partner, level, level, 0};
  }
  for (int i = 32; i < 64; ++i)
    palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i * 3), 200, 7, 0};
  const PaletteTells tells = FindPaletteTells(PixelView::Of(PalettePicture(palette, 64)));
  EXPECT_TRUE(tells.indexed);
  EXPECT_EQ(tells.usedEntries, 64);
  EXPECT_EQ(tells.unusedEntries, 192);
  EXPECT_EQ(tells.equalPairs, 8);
  EXPECT_EQ(tells.nearPairs, 8);
  EXPECT_DOUBLE_EQ(tells.pairedShare, 0.5);

  EXPECT_FALSE(FindPaletteTells(PixelView::Of(PhotoLike(16, 16, 1))).indexed);
}

}  // namespace
}  // namespace hushlake::analysis

namespace hushlake::analysis {
namespace {

TEST(PaletteTells, AGreyRampIsNoTell) {
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    palette[static_cast<std::size_t>(i)] = {level, level, level, 0};
  }
  const PaletteTells tells = FindPaletteTells(PixelView::Of(PalettePicture(palette, 256)));
  EXPECT_EQ(tells.usedEntries, 256);
  EXPECT_EQ(tells.equalPairs + tells.nearPairs, 0);
}

}  // namespace
}  // namespace hushlake::analysis
