// The whole analysis: the verdict's words for each kind of picture, and the
// comparison of a cover with a changed copy.
#include <gtest/gtest.h>

#include "analysis/analysis_pictures.h"
#include "stego/analysis/analysis.h"

namespace hushlake::analysis {
namespace {

using testing::JpegRoundTrip;
using testing::PhotoLike;
using testing::ReplaceLowBits;

TEST(Verdict, NamesWhatGivesEachPictureAway) {
  const Picture cover = PhotoLike(320, 320, 31, 1.5);
  const PictureAnalysis untouched = AnalyzePicture(cover);
  EXPECT_EQ(untouched.verdict.text, "looks untouched");
  EXPECT_EQ(untouched.verdict.finding, Finding::Untouched);
  // Half the way to the alarm, at most, of 320 x 320 x 3 low bits.
  EXPECT_GT(untouched.verdict.lowRiskBytes, 0);
  EXPECT_LE(untouched.verdict.lowRiskBytes, 320 * 320 * 3 / 8 * ReplacedRateAlarm / 2);

  Picture replaced = cover;
  ReplaceLowBits(replaced, 0.5, 32);
  const PictureAnalysis stego = AnalyzePicture(replaced);
  EXPECT_EQ(stego.verdict.finding, Finding::LowBitsReplaced);
  EXPECT_EQ(stego.verdict.lowRiskBytes, 0);
  const int percent = static_cast<int>(std::lround(stego.rates.weightedStego * 100));
  EXPECT_NEAR(percent, 50, 3);
  EXPECT_EQ(stego.verdict.text,
            "low bits look replaced: about " + std::to_string(percent) + "% by WS");

  const PictureAnalysis jpeg = AnalyzePicture(JpegRoundTrip(PhotoLike(256, 256, 33, 6.0), 85));
  EXPECT_EQ(jpeg.verdict.finding, Finding::WasJpeg);
  EXPECT_EQ(jpeg.verdict.text, "was a JPEG at quality about " + std::to_string(jpeg.jpeg.quality) +
                                   ": any hidden text will show");

  EXPECT_EQ(AnalyzePicture(PhotoLike(40, 40, 34)).verdict.finding, Finding::TooSmall);
}

TEST(Verdict, NoiseOnEvenOffsetsAndLookAlikePalettesAreFlagged) {
  // Steps of -2, 0 or +2 on the bytes at even offsets: no low bit changes,
  // so only the offsets' difference shows.
  Picture picture = PhotoLike(320, 320, 35, 1.5);
  testing::SmallNoise noise(36);
  for (int y = 0; y < picture.Height(); ++y)
    for (std::size_t j = 0; j < picture.RowBytes(); j += 2) {
      std::uint8_t& byte = picture.Row(y)[j];
      const int moved = byte + 2 * (static_cast<int>(noise.Bits() % 3) - 1);
      if (moved >= 0 && moved <= 255) byte = static_cast<std::uint8_t>(moved);
    }
  const PictureAnalysis offsets = AnalyzePicture(picture);
  EXPECT_EQ(offsets.verdict.finding, Finding::OffsetsDiffer);
  EXPECT_EQ(offsets.verdict.text,
            "bytes at even and odd offsets differ, as added noise leaves them");

  // A grey picture whose every level got a partner one step redder: the
  // pixels use both of each pair, as hiding in the indices does.
  const Picture grey = PhotoLike(128, 128, 37);
  Picture indexed(128, 128, PixelFormat::Indexed8);
  Palette palette{};
  for (int i = 0; i < 128; ++i) {
    const auto level = static_cast<std::uint8_t>(i * 2);
    palette[static_cast<std::size_t>(2 * i)] = {level, level, level, 0};
    palette[static_cast<std::size_t>(2 * i + 1)] = {static_cast<std::uint8_t>(level + 1), level,
                                                    level, 0};
  }
  indexed.SetPalette(palette);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) indexed.Row(y)[x] = grey.Row(y)[x * 3 + 1];
  const PictureAnalysis palettes = AnalyzePicture(indexed);
  EXPECT_EQ(palettes.verdict.finding, Finding::PalettePairs);
  EXPECT_EQ(palettes.verdict.text,
            "palette holds " +
                std::to_string(palettes.palette.equalPairs + palettes.palette.nearPairs) +
                " pairs of look-alike colours, as hiding needs");
  EXPECT_GE(palettes.palette.nearPairs, 40);
}

TEST(ComparePictures, CountsTheChangesAndJudgesBothSides) {
  const Picture cover = PhotoLike(100, 100, 41);
  Picture changed = cover;
  changed.Row(0)[0] = static_cast<std::uint8_t>(cover.Row(0)[0] ^ 1);  // a low bit
  changed.Row(5)[7] =
      static_cast<std::uint8_t>(cover.Row(5)[7] < 128 ? cover.Row(5)[7] + 2 : cover.Row(5)[7] - 2);
  const auto comparison = ComparePictures(PixelView::Of(cover), PixelView::Of(changed));
  ASSERT_TRUE(comparison.has_value());
  EXPECT_EQ(comparison->bytes, 30000);
  EXPECT_EQ(comparison->bytesChanged, 2);
  EXPECT_EQ(comparison->lowBitsChanged, 1);
  EXPECT_DOUBLE_EQ(comparison->meanChange, 3.0 / 30000);
  ASSERT_TRUE(comparison->psnr.has_value());
  EXPECT_NEAR(*comparison->psnr, 10 * std::log10(255.0 * 255.0 * 30000 / 5.0), 1e-9);
  EXPECT_EQ(comparison->before.verdict.text, "looks untouched");

  const auto same = ComparePictures(PixelView::Of(cover), PixelView::Of(cover));
  ASSERT_TRUE(same.has_value());
  EXPECT_FALSE(same->psnr.has_value());
  EXPECT_EQ(same->bytesChanged, 0);

  // A 32-bit pair leaves the fourth bytes out; different sizes or kinds compare not at all.
  Picture wide(10, 10, PixelFormat::Bgrx32);
  Picture wideChanged = wide;
  wideChanged.Row(0)[3] = 255;
  const auto fourth = ComparePictures(PixelView::Of(wide), PixelView::Of(wideChanged));
  ASSERT_TRUE(fourth.has_value());
  EXPECT_EQ(fourth->bytes, 300);
  EXPECT_EQ(fourth->bytesChanged, 0);
  EXPECT_FALSE(
      ComparePictures(PixelView::Of(cover), PixelView::Of(PhotoLike(100, 99, 1))).has_value());
  EXPECT_FALSE(
      ComparePictures(PixelView::Of(wide), PixelView::Of(Picture(10, 10, PixelFormat::Bgr24)))
          .has_value());
}

}  // namespace
}  // namespace hushlake::analysis
