#include "stego/analysis/rs_analysis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "stego/analysis/quadratic.h"

namespace hushlake::analysis {
namespace {

using Group = std::array<int, 4>;

int Roughness(const Group& g) {
  return std::abs(g[1] - g[0]) + std::abs(g[2] - g[1]) + std::abs(g[3] - g[2]);
}

// F1 swaps 2k and 2k+1; F-1 swaps 2k-1 and 2k. The mask 0 1 1 0 applies
// them to the middle two samples.
Group Flipped(Group g) {
  g[1] ^= 1;
  g[2] ^= 1;
  return g;
}
int ShiftFlip(int value) { return ((value + 1) ^ 1) - 1; }
Group ShiftFlipped(Group g) {
  g[1] = ShiftFlip(g[1]);
  g[2] = ShiftFlip(g[2]);
  return g;
}

// Regular minus singular groups, under the mask and under its negative.
struct Balance {
  std::int64_t positive = 0;
  std::int64_t negative = 0;

  void Add(const Group& g) {
    const int base = Roughness(g);
    const int flipped = Roughness(Flipped(g));
    const int shifted = Roughness(ShiftFlipped(g));
    positive += (flipped > base) - (flipped < base);
    negative += (shifted > base) - (shifted < base);
  }
};

}  // namespace

double RsRate(const ColourPlane& plane) {
  Balance asIs;
  Balance allFlipped;
  std::int64_t groups = 0;
  for (int y = 0; y < plane.Height(); ++y) {
    const std::uint8_t* row = plane.Row(y);
    for (int x = 0; x + 4 <= plane.Width(); x += 4) {
      const Group g{plane.At(row, x), plane.At(row, x + 1), plane.At(row, x + 2),
                    plane.At(row, x + 3)};
      asIs.Add(g);
      allFlipped.Add(Group{g[0] ^ 1, g[1] ^ 1, g[2] ^ 1, g[3] ^ 1});
      ++groups;
    }
  }
  if (groups == 0) return 0.0;
  const double n = static_cast<double>(groups);
  const double d0 = static_cast<double>(asIs.positive) / n;
  const double d1 = static_cast<double>(allFlipped.positive) / n;
  const double negative0 = static_cast<double>(asIs.negative) / n;
  const double negative1 = static_cast<double>(allFlipped.negative) / n;
  // 2 (d1 + d0) z^2 + (d-0 - d-1 - d1 - 3 d0) z + d0 - d-0 = 0, then p = z / (z - 1/2).
  const double z =
      SmallerRoot(2.0 * (d1 + d0), negative0 - negative1 - d1 - 3.0 * d0, d0 - negative0);
  if (z == 0.5) return 1.0;
  return std::clamp(z / (z - 0.5), 0.0, 1.0);
}

}  // namespace hushlake::analysis
