#pragma once
// HILL costs (Li, Wang, Huang and Huang, "A new cost function for spatial
// image steganography", 2014): the cost of changing a sample by one is
//   rho = L2 * (1 / (L1 * |H1 * X|))
// with H1 the 3x3 KB high-pass kernel [-1 2 -1; 2 -4 2; -1 2 -1], L1 the 3x3
// and L2 the 15x15 averaging filter, every filter reading past the border by
// mirroring (x[-1] = x[0], x[-2] = x[1], ...). Smooth areas cost much, noisy
// textures little.
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace hushlake::sealed {

// The value 1 / (L1 * |H1 * X|) takes where the residual is zero: in a flat
// area a change is all but forbidden, yet still possible.
inline constexpr float kFlatCost = 1e10f;

// Costs of a plane of samples a few rows at a time: readRow(y, out) fills
// out[0..width) with row y's samples (rows may be asked for more than once
// near the borders); takeRow(y, row) is called for each row from the top and
// may ask row.At(x) for the cost of any sample x of that row. Only the costs
// asked for are finished, which saves most of the last filter when few are.
class HillRow {
 public:
  explicit HillRow(const double* const* sums) : sums_(sums) {}
  float At(int x) const;

 private:
  const double* const* sums_;  // the 15 rows of the last filter's first half
};
using SampleRows = std::function<void(int, float*)>;
using CostRows = std::function<void(int, const HillRow&)>;
void HillCostRows(int width, int height, const SampleRows& readRow, const CostRows& takeRow);

// Costs of one plane of samples, row by row (width * height of them).
std::vector<float> HillCosts(std::span<const float> plane, int width, int height);

}  // namespace hushlake::sealed
