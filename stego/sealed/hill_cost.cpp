#include "stego/sealed/hill_cost.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <utility>

namespace hushlake::sealed {
namespace {

// Index i mirrored into [0, size): ... 1 0 | 0 1 ... size-1 | size-1 size-2 ...
int Mirror(int i, int size) {
  const int period = 2 * size;
  i %= period;
  if (i < 0) i += period;
  return i < size ? i : period - 1 - i;
}

// Rows of one filtering stage, made on demand and kept in a small ring: the
// picture is filtered a few rows at a time instead of in whole planes, which
// would cost a plane-sized allocation (and its page faults) per stage.
template <class T>
class RowRing {
 public:
  using Maker = std::function<void(int, T*)>;
  RowRing(int slots, int width, Maker make)
      : width_(static_cast<std::size_t>(width)),
        rows_(static_cast<std::size_t>(slots) * width_),
        tags_(static_cast<std::size_t>(slots), -1),
        make_(std::move(make)) {}
  // Row y (already mirrored into the picture); valid until a row `slots` rows away is asked for.
  const T* Get(int y) {
    const std::size_t slot = static_cast<std::size_t>(y) % tags_.size();
    T* row = rows_.data() + slot * width_;
    if (tags_[slot] != y) {
      make_(y, row);
      tags_[slot] = y;
    }
    return row;
  }

 private:
  std::size_t width_;
  std::vector<T> rows_;
  std::vector<int> tags_;
  Maker make_;
};

// Sum over a window of 2r+1 along a row, mirrored at its ends: a running sum.
void SumAlong(const double* in, double* out, int width, int r) {
  double sum = 0;
  for (int d = -r; d <= r; ++d) sum += in[Mirror(d, width)];
  out[0] = sum;
  for (int x = 1; x < width; ++x) {
    sum += in[x + r < width ? x + r : Mirror(x + r, width)];
    sum -= in[x - r - 1 >= 0 ? x - r - 1 : Mirror(x - r - 1, width)];
    out[x] = sum;
  }
}

}  // namespace

void HillCostRows(int width, int height, const SampleRows& readRow, const CostRows& takeRow) {
  if (width < 1 || height < 1) throw std::invalid_argument("HILL costs: an empty picture");
  const std::size_t w = static_cast<std::size_t>(width);
  RowRing<float> samples(4, width, readRow);
  // |H1 * X| summed along the row over 3: the first half of the 3x3 mean.
  std::vector<double> residual(w);
  RowRing<double> residualAlong(4, width, [&](int y, double* out) {
    const float* rows[3] = {samples.Get(Mirror(y - 1, height)), samples.Get(y),
                            samples.Get(Mirror(y + 1, height))};
    const auto at = [&](int x) {
      const int xs[3] = {x > 0 ? x - 1 : Mirror(x - 1, width), x,
                         x + 1 < width ? x + 1 : Mirror(x + 1, width)};
      static constexpr float kKernel[3][3] = {{-1, 2, -1}, {2, -4, 2}, {-1, 2, -1}};
      float sum = 0;
      for (int dy = 0; dy < 3; ++dy) {
        for (int dx = 0; dx < 3; ++dx) sum += kKernel[dy][dx] * rows[dy][xs[dx]];
      }
      return std::fabs(sum);
    };
    residual[0] = at(0);
    for (int x = 1; x + 1 < width; ++x) {
      const float sum = -rows[0][x - 1] + 2 * rows[0][x] - rows[0][x + 1] + 2 * rows[1][x - 1] -
                        4 * rows[1][x] + 2 * rows[1][x + 1] - rows[2][x - 1] + 2 * rows[2][x] -
                        rows[2][x + 1];
      residual[static_cast<std::size_t>(x)] = std::fabs(sum);
    }
    if (width > 1) residual[w - 1] = at(width - 1);
    SumAlong(residual.data(), out, width, 1);
  });
  // 1 / (the 3x3 mean), summed along the row over 15: the first half of the 15x15 mean.
  std::vector<double> inverse(w);
  RowRing<double> inverseAlong(16, width, [&](int y, double* out) {
    const double* rows[3] = {residualAlong.Get(Mirror(y - 1, height)), residualAlong.Get(y),
                             residualAlong.Get(Mirror(y + 1, height))};
    for (std::size_t x = 0; x < w; ++x) {
      // The residuals are whole numbers, so a flat area sums to exactly zero.
      const double mean = (rows[0][x] + rows[1][x] + rows[2][x]) / 9.0;
      inverse[x] = mean > 0 ? std::min(1.0 / mean, double{kFlatCost}) : double{kFlatCost};
    }
    SumAlong(inverse.data(), out, width, 7);
  });
  std::array<const double*, 15> rows{};
  for (int y = 0; y < height; ++y) {
    for (int d = -7; d <= 7; ++d)
      rows[static_cast<std::size_t>(d + 7)] = inverseAlong.Get(Mirror(y + d, height));
    takeRow(y, HillRow(rows.data()));
  }
}

float HillRow::At(int x) const {
  double sum = 0;
  for (int d = 0; d < 15; ++d) sum += sums_[d][x];
  return static_cast<float>(sum / 225.0);
}

std::vector<float> HillCosts(std::span<const float> plane, int width, int height) {
  if (width < 1 || height < 1 || plane.size() != static_cast<std::size_t>(width) * height) {
    throw std::invalid_argument("HILL costs: the plane does not match its size");
  }
  const std::size_t w = static_cast<std::size_t>(width);
  std::vector<float> costs(plane.size());
  HillCostRows(
      width, height,
      [&](int y, float* row) {
        std::copy_n(plane.data() + static_cast<std::size_t>(y) * w, w, row);
      },
      [&](int y, const HillRow& row) {
        float* out = costs.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < width; ++x) out[x] = row.At(x);
      });
  return costs;
}

}  // namespace hushlake::sealed
