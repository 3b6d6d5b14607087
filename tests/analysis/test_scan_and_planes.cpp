// The chi-square attack, the low bit planes and the even/odd offsets on
// pictures built to have, or to lack, what each looks for.
#include <gtest/gtest.h>

#include "analysis/analysis_pictures.h"
#include "stego/analysis/chi_square.h"
#include "stego/analysis/low_bit_planes.h"

namespace hushlake::analysis {
namespace {

using testing::PhotoLike;
using testing::ReplaceLowBits;
using testing::SmallNoise;

TEST(ChiSquareUpperTail, MatchesTabulatedValues) {
  EXPECT_NEAR(ChiSquareUpperTail(3.841, 1), 0.05, 1e-3);
  EXPECT_NEAR(ChiSquareUpperTail(18.307, 10), 0.05, 1e-3);
  EXPECT_NEAR(ChiSquareUpperTail(6.635, 1), 0.01, 1e-3);
  EXPECT_NEAR(ChiSquareUpperTail(4.0, 2), std::exp(-2.0), 1e-12);  // two degrees: e^(-x/2)
  EXPECT_NEAR(ChiSquareUpperTail(100.0, 100), 0.4811, 1e-3);
  EXPECT_EQ(ChiSquareUpperTail(0.0, 5), 1.0);
}

TEST(ChiSquareAttack, EvenPairsPassUnevenFailAndTheScanShowsWhereReplacingStopped) {
  // Only even values: as uneven as pairs get.
  Picture uneven = PhotoLike(200, 200, 5);
  for (auto& byte : uneven.Pixels()) byte &= 0xFE;
  const ChiSquareResult unevenResult = ChiSquareAttack(PixelView::Of(uneven));
  EXPECT_LT(unevenResult.probability, 1e-6);
  EXPECT_EQ(unevenResult.evenPrefix, 0.0);

  // Every low bit replaced: pairs even.
  Picture replaced = uneven;
  ReplaceLowBits(replaced, 1.0, 9);
  EXPECT_GT(ChiSquareAttack(PixelView::Of(replaced)).probability, 0.05);

  // The top 40% of rows replaced, the rest left uneven: the evenness ends near 40%.
  Picture half = uneven;
  half.Crop(200, 80);
  ReplaceLowBits(half, 1.0, 9);
  for (int y = 0; y < 80; ++y) std::copy(half.Row(y), half.Row(y) + half.RowBytes(), uneven.Row(y));
  const ChiSquareResult scan = ChiSquareAttack(PixelView::Of(uneven));
  EXPECT_GE(scan.evenPrefix, 0.35);
  EXPECT_LE(scan.evenPrefix, 0.5);
  EXPECT_LT(scan.probability, 1e-6);
}

TEST(LowBitPlanes, RandomBitsAreIncompressibleAndAFlatPictureIsNot) {
  Picture random(256, 256, PixelFormat::Bgr24);
  SmallNoise noise(4);
  for (auto& byte : random.Pixels()) byte = static_cast<std::uint8_t>(noise.Bits());
  const LowBitPlanes randomPlanes = MeasureLowBitPlanes(PixelView::Of(random));
  Picture flat(64, 64, PixelFormat::Bgr24);
  for (auto& byte : flat.Pixels()) byte = 0x57;
  const LowBitPlanes flatPlanes = MeasureLowBitPlanes(PixelView::Of(flat));
  for (std::size_t bit = 0; bit < 2; ++bit) {
    EXPECT_NEAR(randomPlanes.bitsPerBit[bit], 1.0, 0.002);
    EXPECT_NEAR(randomPlanes.neighbourAgreement[bit], 0.5, 0.005);
    EXPECT_EQ(flatPlanes.bitsPerBit[bit], 0.0);
    EXPECT_EQ(flatPlanes.neighbourAgreement[bit], 1.0);
  }
  // A photograph-like picture sits between: its second plane follows the picture.
  const LowBitPlanes photo = MeasureLowBitPlanes(PixelView::Of(PhotoLike(256, 256, 8, 0.5)));
  EXPECT_LT(photo.bitsPerBit[1], 0.99);
  EXPECT_GT(photo.neighbourAgreement[1], 0.52);
}

TEST(LowBitPlanes, NoiseOnEvenOffsetsOnlySetsTheOffsetsApart) {
  Picture picture = PhotoLike(300, 200, 12);
  const LowBitPlanes before = MeasureLowBitPlanes(PixelView::Of(picture));
  ASSERT_TRUE(before.hasColumns);
  EXPECT_LT(std::fabs(before.columnDifference), 4.0);
  SmallNoise noise(13);
  for (int y = 0; y < picture.Height(); ++y)
    for (std::size_t j = 0; j < picture.RowBytes(); j += 2) {
      std::uint8_t& byte = picture.Row(y)[j];
      byte = testing::ClampByte(byte + static_cast<int>(noise.Bits() % 5) - 2);
    }
  const LowBitPlanes after = MeasureLowBitPlanes(PixelView::Of(picture));
  EXPECT_GT(after.columnDifference, 8.0);
  EXPECT_GT(after.evenRoughness, after.oddRoughness);
  // Only 24-bit rows interleave the colours so that offsets can be compared.
  EXPECT_FALSE(MeasureLowBitPlanes(PixelView::Of(Picture(64, 64, PixelFormat::Bgrx32))).hasColumns);
}

}  // namespace
}  // namespace hushlake::analysis
