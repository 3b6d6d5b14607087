#include <gtest/gtest.h>

#include <string>

#include "stego/noise_pass.h"
#include "stego/random_source.h"
#include "stego_reference.h"
#include "stego_test_support.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

using testing_support::RandomPicture;

struct NoiseCase {
  int width;
  int height;
  PixelFormat format;
  std::uint32_t seed;
};

void PrintTo(const NoiseCase& c, std::ostream* out) {
  *out << test::FormatName(c.format) << "_" << c.width << "x" << c.height << "_Seed" << c.seed;
}

class FastNoise : public ::testing::TestWithParam<NoiseCase> {};

TEST_P(FastNoise, EveryKernelEqualsTheSerialWalkAndLeavesTheSameState) {
  const NoiseCase& c = GetParam();
  Picture original = RandomPicture(c.width, c.height, c.format, c.seed);
  // Saturated bytes exercise the range rule at both ends.
  for (std::size_t i = 0; i < original.Pixels().size(); i += 7)
    original.Pixels()[i] = i % 2 ? 0 : 255;
  Picture serial = original;
  RandomSource serialRandom({}, c.seed);
  reference::AddNoise(serial, serialRandom);
  const std::uint32_t serialState = serialRandom.State();
  for (NoiseKernel kernel :
       {NoiseKernel::Portable, NoiseKernel::Sse2, NoiseKernel::Avx2, NoiseKernel::Avx512}) {
    if (!NoiseKernelAvailable(kernel)) continue;
    Picture fast = original;
    RandomSource random({}, c.seed);
    AddNoise(fast, kernel, random);
    EXPECT_EQ(random.State(), serialState) << static_cast<int>(kernel);
    EXPECT_TRUE(fast == serial) << static_cast<int>(kernel);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FastNoise,
    ::testing::Values(
        NoiseCase{2, 1, PixelFormat::Bgr24, 0}, NoiseCase{2, 1, PixelFormat::Bgrx32, 1},
        NoiseCase{4, 3, PixelFormat::Bgr24, 7}, NoiseCase{6, 2, PixelFormat::Bgrx32, 9},
        NoiseCase{3, 3, PixelFormat::Bgr24, 11}, NoiseCase{5, 2, PixelFormat::Bgrx32, 13},
        NoiseCase{24, 24, PixelFormat::Bgr24, 0xFFFFFFFFu},
        NoiseCase{24, 24, PixelFormat::Bgrx32, 12345}, NoiseCase{102, 9, PixelFormat::Bgr24, 99},
        NoiseCase{638, 5, PixelFormat::Bgrx32, 2024},
        NoiseCase{1000, 4, PixelFormat::Bgr24, 0x80000000u},
        NoiseCase{1001, 3, PixelFormat::Bgr24, 3}, NoiseCase{17, 6, PixelFormat::Bgrx32, 4},
        NoiseCase{10, 2, PixelFormat::Bgr24, 5}, NoiseCase{11, 2, PixelFormat::Bgrx32, 6}),
    test::ByPrintedParam());

TEST(NoisePass, NeverRaisesAByteTo255) {
  Picture picture(200, 20, PixelFormat::Bgr24);
  for (std::size_t i = 0; i < picture.Pixels().size(); ++i)
    picture.Pixels()[i] = static_cast<std::uint8_t>(250 + i % 6);  // 250 .. 255
  const Picture before = picture;
  RandomSource random({}, 31337);
  AddNoise(picture, random);
  int moved = 0;
  for (std::size_t i = 0; i < picture.Pixels().size(); ++i) {
    const int was = before.Pixels()[i];
    const int now = picture.Pixels()[i];
    if (was != 255) {
      ASSERT_NE(now, 255) << i;
    }
    ASSERT_LE(std::abs(now - was), 4);
    if (was == 255) {
      ASSERT_GE(now, 251);
    }
    moved += now != was;
  }
  EXPECT_GT(moved, 0);
}

TEST(NoisePass, TouchesOnlyTheFirst3WPlusOneBytesOfA32BitRow) {
  const int width = 10;
  Picture picture = RandomPicture(width, 40, PixelFormat::Bgrx32, 5);
  for (std::uint8_t& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(100 + byte % 50);
  const Picture before = picture;
  RandomSource random({}, 77);
  AddNoise(picture, random);
  int lastVisitedMoved = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int o = 3 * width + 1; o < 4 * width; ++o)
      ASSERT_EQ(picture.Row(y)[o], before.Row(y)[o]) << "row " << y << " offset " << o;
    lastVisitedMoved += picture.Row(y)[3 * width] != before.Row(y)[3 * width];
  }
  EXPECT_GT(lastVisitedMoved, 0);  // offset 3W lies inside a 32-bit row and gets its draw
}

}  // namespace
}  // namespace hushlake
