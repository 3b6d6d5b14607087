#include "stego/analysis/weighted_stego.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hushlake::analysis {
namespace {

// Over the samples off the edge: the sums of w (s - s̄)(s - F(s)), of w,
// and of w (s - s̄) F(s - s̄), where s̄ is s with its low bit flipped (so
// s - s̄ is +1 for odd s and -1 for even), F is the predictor (half the four
// nearest neighbours minus a quarter of the four diagonal ones) and w is
// 1 / (5 + the variance of the four nearest). The last sum is for the
// bias: a replaced neighbour moves the prediction too.
struct Sums {
  double pull = 0.0;
  double weights = 0.0;
  double neighbourPull = 0.0;
};

// Rows are copied out as floats (each sample and its s - s̄), three at a
// time, so that the sums run over plain arrays, eight lanes at once; a
// float holds every sum of products here exactly.
struct Rows {
  explicit Rows(int width)
      : values(3, std::vector<float>(static_cast<std::size_t>(width))),
        signs(3, std::vector<float>(static_cast<std::size_t>(width))) {}
  std::vector<std::vector<float>> values;
  std::vector<std::vector<float>> signs;
};

constexpr int Lanes = 8;

template <typename Samples>
void CopyRow(const ColourPlane& plane, Samples at, int y, std::vector<float>& values,
             std::vector<float>& signs) {
  const std::uint8_t* row = plane.Row(y);
  for (int x = 0; x < plane.Width(); ++x) {
    const int value = at(row, x);
    values[static_cast<std::size_t>(x)] = static_cast<float>(value);
    signs[static_cast<std::size_t>(x)] = static_cast<float>(((value & 1) << 1) - 1);
  }
}

// One row's sums, the sample at X predicted from the rows above and below.
void SumRow(const float* up, const float* row, const float* down, const float* upSign,
            const float* rowSign, const float* downSign, int width, Sums& sums) {
  float pull[Lanes] = {};
  float weights[Lanes] = {};
  float neighbourPull[Lanes] = {};
  const auto term = [&](int x, int lane) {
    const float cross = up[x] + down[x] + row[x - 1] + row[x + 1];
    const float diagonal = up[x - 1] + up[x + 1] + down[x - 1] + down[x + 1];
    const float squares =
        up[x] * up[x] + down[x] * down[x] + row[x - 1] * row[x - 1] + row[x + 1] * row[x + 1];
    // 16 times the variance of the four nearest, so w = 16 / (80 + that).
    const float variance16 = 4.0f * squares - cross * cross;
    const float weight = 16.0f / (80.0f + variance16);
    const float sign = rowSign[x];
    pull[lane] += weight * sign * (4.0f * row[x] - (2.0f * cross - diagonal));
    weights[lane] += weight;
    const float crossSigns = upSign[x] + downSign[x] + rowSign[x - 1] + rowSign[x + 1];
    const float diagonalSigns = upSign[x - 1] + upSign[x + 1] + downSign[x - 1] + downSign[x + 1];
    neighbourPull[lane] += weight * sign * (2.0f * crossSigns - diagonalSigns);
  };
  int x = 1;
  for (; x + Lanes < width; x += Lanes)
    for (int lane = 0; lane < Lanes; ++lane) term(x + lane, lane);
  for (; x + 1 < width; ++x) term(x, 0);
  for (int lane = 0; lane < Lanes; ++lane) {
    // The predictor is a quarter of what the sums above hold.
    sums.pull += pull[lane] / 4.0;
    sums.weights += weights[lane];
    sums.neighbourPull += neighbourPull[lane] / 4.0;
  }
}

template <typename Samples>
Sums SumPulls(const ColourPlane& plane, Samples at) {
  Sums sums;
  Rows rows(plane.Width());
  for (int y = 0; y < 2; ++y)
    CopyRow(plane, at, y, rows.values[static_cast<std::size_t>(y)],
            rows.signs[static_cast<std::size_t>(y)]);
  for (int y = 1; y + 1 < plane.Height(); ++y) {
    const auto slot = [](int r) { return static_cast<std::size_t>(r % 3); };
    CopyRow(plane, at, y + 1, rows.values[slot(y + 1)], rows.signs[slot(y + 1)]);
    SumRow(rows.values[slot(y - 1)].data(), rows.values[slot(y)].data(),
           rows.values[slot(y + 1)].data(), rows.signs[slot(y - 1)].data(),
           rows.signs[slot(y)].data(), rows.signs[slot(y + 1)].data(), plane.Width(), sums);
  }
  return sums;
}

}  // namespace

double WeightedStegoRate(const ColourPlane& plane) {
  if (plane.Width() < 3 || plane.Height() < 3) return 0.0;
  const Sums sums = WithSamples(plane, [&](auto at) { return SumPulls(plane, at); });
  const double pull = sums.pull;
  const double weights = sums.weights;
  const double neighbourPull = sums.neighbourPull;
  if (weights == 0.0) return 0.0;
  const double estimate = 2.0 * pull / weights;
  // Replaced neighbours pull the prediction too. Where the cover's low bits
  // agree with their neighbours' (weighted correlation c), a replaced
  // neighbour moves the prediction away from the cover value of a kept
  // sample and towards that of a flipped one: the estimate comes out as
  // p (1 + (1 - p) c) instead of p. Replacing at rate p leaves (1 - p)^2 of
  // the correlation to be seen, so c and p are found together, by a few
  // rounds of substitution.
  const double seen = neighbourPull / weights;
  double rate = std::clamp(estimate, 0.0, 1.0);
  for (int round = 0; round < 8; ++round) {
    const double kept = std::max(1.0 - rate, 0.05);
    rate = std::clamp(estimate / (1.0 + std::clamp(seen / kept, -0.5, 0.5)), 0.0, 1.0);
  }
  return rate;
}

}  // namespace hushlake::analysis
