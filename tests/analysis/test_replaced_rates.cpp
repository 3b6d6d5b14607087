// The three estimators of replaced low bits on constructed pictures whose
// rate is known.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/analysis_pictures.h"
#include "stego/analysis/colour_plane.h"
#include "stego/analysis/quadratic.h"
#include "stego/analysis/rs_analysis.h"
#include "stego/analysis/sample_pair.h"
#include "stego/analysis/weighted_stego.h"

namespace hushlake::analysis {
namespace {

using testing::PhotoLike;
using testing::ReplaceLowBits;

struct Estimator {
  const char* name;
  double (*estimate)(const ColourPlane&);
  // RS is the roughest of the three, and at rate 1 its equation degenerates
  // (both roots meet), so it is held to rates below.
  double tolerance;
  double highestRate;
};
const Estimator estimators[] = {{"SPA", SamplePairRate, 0.03, 1.0},
                                {"RS", RsRate, 0.05, 0.6},
                                {"WS", WeightedStegoRate, 0.03, 1.0}};

TEST(ReplacedRates, EachEstimatorFindsTheRateOfPlainReplacement) {
  for (const double rate : {0.0, 0.1, 0.3, 0.6, 1.0}) {
    Picture picture = PhotoLike(320, 320, 7, 1.5);
    ReplaceLowBits(picture, rate, 11);
    const PixelView view = PixelView::Of(picture);
    for (const Estimator& estimator : estimators) {
      if (rate > estimator.highestRate) continue;
      double mean = 0.0;
      for (int channel = 0; channel < 3; ++channel)
        mean += estimator.estimate(ColourPlane(view, channel)) / 3.0;
      EXPECT_NEAR(mean, rate, estimator.tolerance) << estimator.name << " at rate " << rate;
    }
  }
}

TEST(ReplacedRates, FlatAndTinyPicturesGiveZeroNotNonsense) {
  Picture flat(40, 30, PixelFormat::Bgr24);
  for (auto& byte : flat.Pixels()) byte = 100;
  Picture tiny(2, 1, PixelFormat::Bgr24);
  for (const Picture* picture : {&flat, &tiny}) {
    const PixelView view = PixelView::Of(*picture);
    for (const Estimator& estimator : estimators) {
      const double found = estimator.estimate(ColourPlane(view, 1));
      EXPECT_FALSE(std::isnan(found)) << estimator.name;
      EXPECT_NEAR(found, 0.0, 1e-9) << estimator.name;
    }
  }
}

TEST(ReplacedRates, PalettePictureIsReadThroughItsColours) {
  // A grey ramp palette in reverse order: the indices' low bits are not the colours'.
  Picture truecolour = PhotoLike(128, 128, 3);
  Picture indexed(128, 128, PixelFormat::Indexed8);
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(255 - i);
    palette[static_cast<std::size_t>(i)] = {level, level, level, 0};
  }
  indexed.SetPalette(palette);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      indexed.Row(y)[x] = static_cast<std::uint8_t>(255 - truecolour.Row(y)[x * 3 + 1]);
      truecolour.Row(y)[x * 3] = truecolour.Row(y)[x * 3 + 2] = truecolour.Row(y)[x * 3 + 1];
    }
  const PixelView a = PixelView::Of(truecolour);
  const PixelView b = PixelView::Of(indexed);
  for (const Estimator& estimator : estimators)
    EXPECT_DOUBLE_EQ(estimator.estimate(ColourPlane(a, 1)), estimator.estimate(ColourPlane(b, 0)))
        << estimator.name;
}

TEST(SmallerRoot, TakesTheRootNearestZeroAndCopesWithDegenerateCases) {
  EXPECT_NEAR(SmallerRoot(1.0, -3.0, 2.0), 1.0, 1e-12);     // roots 1 and 2
  EXPECT_NEAR(SmallerRoot(1.0, 1.0, -0.02), 0.0196, 1e-4);  // roots ~0.0196 and ~-1.02
  EXPECT_NEAR(SmallerRoot(0.0, 2.0, -1.0), 0.5, 1e-12);     // linear
  EXPECT_NEAR(SmallerRoot(1.0, -2.0, 5.0), 1.0, 1e-12);     // complex: the vertex
  EXPECT_EQ(SmallerRoot(0.0, 0.0, 1.0), 0.0);
}

}  // namespace
}  // namespace hushlake::analysis
