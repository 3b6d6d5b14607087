#include "stego/sealed/hill_cost.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace hushlake::sealed {
namespace {

// Index i mirrored into [0, size): ... 1 0 | 0 1 ... size-1 | size-1 size-2 ...
int Mirror(int i, int size) {
  const int period = 2 * size;
  i %= period;
  if (i < 0) i += period;
  return i < size ? i : period - 1 - i;
}

// The mean over a (2r+1)x(2r+1) window, mirrored at the borders: rows first, then columns.
std::vector<float> BoxMean(const std::vector<float>& in, int width, int height, int r) {
  std::vector<float> across(in.size());
  std::vector<int> columns(static_cast<std::size_t>(width + 2 * r));
  for (int x = -r; x < width + r; ++x) columns[static_cast<std::size_t>(x + r)] = Mirror(x, width);
  for (int y = 0; y < height; ++y) {
    const float* row = in.data() + static_cast<std::size_t>(y) * width;
    float* out = across.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      float sum = 0;
      for (int d = 0; d <= 2 * r; ++d) sum += row[columns[static_cast<std::size_t>(x + d)]];
      out[x] = sum;
    }
  }
  std::vector<float> out(in.size());
  const float scale = 1.0f / static_cast<float>((2 * r + 1) * (2 * r + 1));
  std::vector<const float*> rows(static_cast<std::size_t>(2 * r + 1));
  for (int y = 0; y < height; ++y) {
    for (int d = -r; d <= r; ++d) {
      rows[static_cast<std::size_t>(d + r)] =
          across.data() + static_cast<std::size_t>(Mirror(y + d, height)) * width;
    }
    float* target = out.data() + static_cast<std::size_t>(y) * width;
    std::fill(target, target + width, 0.0f);
    for (const float* source : rows) {
      for (int x = 0; x < width; ++x) target[x] += source[x];
    }
    for (int x = 0; x < width; ++x) target[x] *= scale;
  }
  return out;
}

}  // namespace

std::vector<float> HillCosts(std::span<const float> plane, int width, int height) {
  if (width < 1 || height < 1 || plane.size() != static_cast<std::size_t>(width) * height) {
    throw std::invalid_argument("HILL costs: the plane does not match its size");
  }
  static constexpr float kKernel[3][3] = {{-1, 2, -1}, {2, -4, 2}, {-1, 2, -1}};
  std::vector<float> residual(plane.size());
  for (int y = 0; y < height; ++y) {
    const float* rows[3];
    for (int d = -1; d <= 1; ++d) {
      rows[d + 1] = plane.data() + static_cast<std::size_t>(Mirror(y + d, height)) * width;
    }
    for (int x = 0; x < width; ++x) {
      const int xs[3] = {Mirror(x - 1, width), x, Mirror(x + 1, width)};
      float sum = 0;
      for (int dy = 0; dy < 3; ++dy) {
        for (int dx = 0; dx < 3; ++dx) sum += kKernel[dy][dx] * rows[dy][xs[dx]];
      }
      residual[static_cast<std::size_t>(y) * width + x] = std::fabs(sum);
    }
  }
  std::vector<float> spread = BoxMean(residual, width, height, 1);
  for (float& value : spread) value = value > 0 ? std::min(1.0f / value, kFlatCost) : kFlatCost;
  return BoxMean(spread, width, height, 7);
}

}  // namespace hushlake::sealed
