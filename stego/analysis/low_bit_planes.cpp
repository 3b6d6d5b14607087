#include "stego/analysis/low_bit_planes.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {
namespace {

double BinaryEntropy(double p) {
  if (p <= 0.0 || p >= 1.0) return 0.0;
  return -p * std::log2(p) - (1.0 - p) * std::log2(1.0 - p);
}

// Counts of zeros and ones of one plane under each of the 16 contexts.
struct ContextCounts {
  std::array<std::array<std::int64_t, 2>, 16> counts{};
  std::int64_t agreeing = 0;
  std::int64_t neighbours = 0;

  double BitsPerBit() const {
    std::int64_t all = 0;
    double bits = 0.0;
    for (const auto& context : counts) {
      const std::int64_t n = context[0] + context[1];
      if (n == 0) continue;
      bits += static_cast<double>(n) *
              BinaryEntropy(static_cast<double>(context[1]) / static_cast<double>(n));
      all += n;
    }
    return all == 0 ? 1.0 : bits / static_cast<double>(all);
  }
  double Agreement() const {
    return neighbours == 0 ? 0.5 : static_cast<double>(agreeing) / static_cast<double>(neighbours);
  }
};

void CountPlanes(const ColourPlane& plane, std::array<ContextCounts, 2>& planes) {
  for (int y = 1; y < plane.Height(); ++y) {
    const std::uint8_t* up = plane.Row(y - 1);
    const std::uint8_t* row = plane.Row(y);
    for (int x = 1; x + 1 < plane.Width(); ++x) {
      const int value = plane.At(row, x);
      const int left = plane.At(row, x - 1);
      const int upLeft = plane.At(up, x - 1);
      const int upper = plane.At(up, x);
      const int upRight = plane.At(up, x + 1);
      for (int bit = 0; bit < 2; ++bit) {
        ContextCounts& counts = planes[static_cast<std::size_t>(bit)];
        const int own = (value >> bit) & 1;
        const int context = ((left >> bit) & 1) | (((upLeft >> bit) & 1) << 1) |
                            (((upper >> bit) & 1) << 2) | (((upRight >> bit) & 1) << 3);
        ++counts.counts[static_cast<std::size_t>(context)][static_cast<std::size_t>(own)];
        counts.agreeing += own == ((left >> bit) & 1);
        ++counts.neighbours;
      }
    }
  }
}

// Mean and variance of one kind of offsets' roughness, by running sums.
struct Moments {
  std::int64_t count = 0;
  double sum = 0.0;
  double squares = 0.0;
  std::int64_t odd = 0;
  void Add(int roughness, int value) {
    ++count;
    sum += roughness;
    squares += static_cast<double>(roughness) * roughness;
    odd += value & 1;
  }
  double Mean() const { return count == 0 ? 0.0 : sum / static_cast<double>(count); }
  double Variance() const {
    if (count < 2) return 0.0;
    const double mean = Mean();
    return (squares / static_cast<double>(count) - mean * mean);
  }
  double OddShare() const {
    return count == 0 ? 0.0 : static_cast<double>(odd) / static_cast<double>(count);
  }
};

void MeasureColumns(const PixelView& view, LowBitPlanes& result) {
  if (view.Format() != PixelFormat::Bgr24 || view.Width() < 3) return;
  Moments even;
  Moments odd;
  const int rowBytes = view.Width() * 3;
  for (int y = 0; y < view.Height(); ++y) {
    const std::uint8_t* row = view.Row(y);
    for (int j = 3; j + 3 < rowBytes; ++j) {
      const int value = row[j];
      const int roughness = std::abs(2 * value - row[j - 3] - row[j + 3]);
      ((j & 1) == 0 ? even : odd).Add(roughness, value);
    }
  }
  if (even.count < 2 || odd.count < 2) return;
  result.hasColumns = true;
  result.evenRoughness = even.Mean();
  result.oddRoughness = odd.Mean();
  const double error = std::sqrt(even.Variance() / static_cast<double>(even.count) +
                                 odd.Variance() / static_cast<double>(odd.count));
  result.columnDifference = error > 0.0 ? (even.Mean() - odd.Mean()) / error : 0.0;
  result.evenOddShare = even.OddShare();
  result.oddOddShare = odd.OddShare();
}

}  // namespace

LowBitPlanes MeasureLowBitPlanes(const PixelView& view) {
  LowBitPlanes result;
  std::array<ContextCounts, 2> planes{};
  for (const ColourPlane& plane : ColourPlanesOf(view)) CountPlanes(plane, planes);
  for (std::size_t bit = 0; bit < 2; ++bit) {
    result.bitsPerBit[bit] = planes[bit].BitsPerBit();
    result.neighbourAgreement[bit] = planes[bit].Agreement();
  }
  MeasureColumns(view, result);
  return result;
}

}  // namespace hushlake::analysis
