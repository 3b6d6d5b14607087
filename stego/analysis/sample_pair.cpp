#include "stego/analysis/sample_pair.h"

#include <algorithm>
#include <cmath>
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

  void Add(int u, int v) {
    ++all;
    if (u == v) {
      ++c0;
      return;
    }
    const bool even = (v & 1) == 0;
    if ((u < v) == even)
      ++x;
    else
      ++y;
    if ((u >> 1) == (v >> 1)) ++c0;
  }
};

}  // namespace

double SamplePairRate(const ColourPlane& plane) {
  PairCounts counts;
  for (int y = 0; y < plane.Height(); ++y) {
    const std::uint8_t* row = plane.Row(y);
    const std::uint8_t* below = y + 1 < plane.Height() ? plane.Row(y + 1) : nullptr;
    for (int x = 0; x < plane.Width(); ++x) {
      const int u = plane.At(row, x);
      if (x + 1 < plane.Width()) counts.Add(u, plane.At(row, x + 1));
      if (below != nullptr) counts.Add(u, plane.At(below, x));
    }
  }
  if (counts.all == 0) return 0.0;
  // (|C0| / 2) p^2 + (2|X| - |P|) p + |Y| - |X| = 0; the smaller root.
  const double a = static_cast<double>(counts.c0) / 2.0;
  const double b = 2.0 * static_cast<double>(counts.x) - static_cast<double>(counts.all);
  const double c = static_cast<double>(counts.y) - static_cast<double>(counts.x);
  return std::clamp(SmallerRoot(a, b, c), 0.0, 1.0);
}

}  // namespace hushlake::analysis
