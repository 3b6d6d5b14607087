#include "stego/analysis/weighted_stego.h"

#include <algorithm>
#include <cstdint>

namespace hushlake::analysis {
namespace {

// s - s̄, where s̄ is s with its low bit flipped: +1 for odd s, -1 for even.
inline double FlipSign(int s) { return (s & 1) != 0 ? 1.0 : -1.0; }

}  // namespace

double WeightedStegoRate(const ColourPlane& plane) {
  // Sums of w (s - s̄)(s - F(s)), of w, and of w (s - s̄) F(s - s̄) for the
  // bias: a replaced neighbour moves the prediction too.
  double pull = 0.0;
  double weights = 0.0;
  double neighbourPull = 0.0;
  for (int y = 1; y + 1 < plane.Height(); ++y) {
    const std::uint8_t* up = plane.Row(y - 1);
    const std::uint8_t* row = plane.Row(y);
    const std::uint8_t* down = plane.Row(y + 1);
    for (int x = 1; x + 1 < plane.Width(); ++x) {
      const int n = plane.At(up, x);
      const int s = plane.At(down, x);
      const int w = plane.At(row, x - 1);
      const int e = plane.At(row, x + 1);
      const int nw = plane.At(up, x - 1);
      const int ne = plane.At(up, x + 1);
      const int sw = plane.At(down, x - 1);
      const int se = plane.At(down, x + 1);
      const int value = plane.At(row, x);
      // The predictor: half the four nearest minus a quarter of the four diagonal.
      const double predicted = 0.5 * (n + s + w + e) - 0.25 * (nw + ne + sw + se);
      const double mean = 0.25 * (n + s + w + e);
      const double variance = 0.25 * (n * n + s * s + w * w + e * e) - mean * mean;
      const double weight = 1.0 / (5.0 + variance);
      const double sign = FlipSign(value);
      pull += weight * sign * (value - predicted);
      weights += weight;
      const double neighbourSigns =
          0.5 * (FlipSign(n) + FlipSign(s) + FlipSign(w) + FlipSign(e)) -
          0.25 * (FlipSign(nw) + FlipSign(ne) + FlipSign(sw) + FlipSign(se));
      neighbourPull += weight * sign * neighbourSigns;
    }
  }
  if (weights == 0.0) return 0.0;
  const double estimate = 2.0 * pull / weights;
  // Each replaced neighbour shifts the prediction by its own pull, which
  // takes back about estimate * bias of the estimate.
  const double bias = std::clamp(neighbourPull / weights, -0.5, 0.5);
  return std::clamp(estimate / (1.0 - bias), 0.0, 1.0);
}

}  // namespace hushlake::analysis
