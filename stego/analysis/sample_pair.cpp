#include "stego/analysis/sample_pair.h"

#include <algorithm>
#include <cstdint>

#include "stego/analysis/quadratic.h"

namespace hushlake::analysis {
namespace {

// Over all pairs (u, v) of adjacent samples, v after u: X holds the pairs
// where v is even and larger or odd and smaller, Y those where v is even and
// smaller or odd and larger, and C0 those whose values differ at most in
// the low bit. In a photograph X and Y are about equally large; replacing
// low bits moves pairs from X to Y at a known pace.
struct PairCounts {
  std::int64_t all = 0;
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t c0 = 0;

  // Without branches: which set a pair falls in is a coin toss in noisy parts.
  void Add(int u, int v) {
    ++all;
    const int differ = u != v;
    const int even = (v & 1) == 0;
    const int below = u < v;
    const int inX = differ & (below == even);
    x += inX;
    y += differ - inX;
    c0 += (u >> 1) == (v >> 1);
  }
};

template <typename Samples>
PairCounts CountPairs(const ColourPlane& plane, Samples at) {
  PairCounts counts;
  for (int y = 0; y < plane.Height(); ++y) {
    const std::uint8_t* row = plane.Row(y);
    for (int x = 0; x + 1 < plane.Width(); ++x) counts.Add(at(row, x), at(row, x + 1));
    if (y + 1 < plane.Height()) {
      const std::uint8_t* below = plane.Row(y + 1);
      for (int x = 0; x < plane.Width(); ++x) counts.Add(at(row, x), at(below, x));
    }
  }
  return counts;
}

}  // namespace

double SamplePairRate(const ColourPlane& plane) {
  const PairCounts counts = WithSamples(plane, [&](auto at) { return CountPairs(plane, at); });
  if (counts.all == 0) return 0.0;
  // (|C0| / 2) p^2 + (2|X| - |P|) p + |Y| - |X| = 0; the smaller root.
  const double a = static_cast<double>(counts.c0) / 2.0;
  const double b = 2.0 * static_cast<double>(counts.x) - static_cast<double>(counts.all);
  const double c = static_cast<double>(counts.y) - static_cast<double>(counts.x);
  return std::clamp(SmallerRoot(a, b, c), 0.0, 1.0);
}

}  // namespace hushlake::analysis
