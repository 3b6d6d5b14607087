#include "stego/analysis/low_bit_planes.h"

#include <algorithm>
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

// Counts of zeros and ones of one plane under each of the 16 contexts,
// indexed context * 2 + bit. The context's lowest bit is the left
// neighbour's, so the agreeing neighbours are counted there too.
struct ContextCounts {
  std::array<std::int64_t, 32> counts{};

  double BitsPerBit() const {
    std::int64_t all = 0;
    double bits = 0.0;
    for (std::size_t context = 0; context < 16; ++context) {
      const std::int64_t ones = counts[2 * context + 1];
      const std::int64_t n = counts[2 * context] + ones;
      if (n == 0) continue;
      bits += static_cast<double>(n) *
              BinaryEntropy(static_cast<double>(ones) / static_cast<double>(n));
      all += n;
    }
    return all == 0 ? 1.0 : bits / static_cast<double>(all);
  }
  double Agreement() const {
    std::int64_t all = 0;
    std::int64_t agreeing = 0;
    for (std::size_t index = 0; index < 32; ++index) {
      all += counts[index];
      if (((index >> 1) & 1) == (index & 1)) agreeing += counts[index];
    }
    return all == 0 ? 0.5 : static_cast<double>(agreeing) / static_cast<double>(all);
  }
};

// Four sets of counters taken in turn, so that runs of one context (flat
// parts of a picture) do not wait on the same counter.
constexpr std::size_t Turns = 4;
using Counters = std::array<std::array<std::array<std::uint32_t, 32>, 2>, Turns>;

template <typename Samples>
void CountRow(const ColourPlane& plane, Samples at, const std::uint8_t* up, const std::uint8_t* row,
              Counters& counters) {
  for (int x = 1; x + 1 < plane.Width(); ++x) {
    const unsigned value = at(row, x);
    const unsigned left = at(row, x - 1);
    const unsigned upLeft = at(up, x - 1);
    const unsigned upper = at(up, x);
    const unsigned upRight = at(up, x + 1);
    // Bits 0 and 1 of each, side by side: index = context * 2 + own bit.
    auto& turn = counters[static_cast<std::size_t>(x) % Turns];
    for (unsigned bit = 0; bit < 2; ++bit) {
      const unsigned index = ((value >> bit) & 1) | (((left >> bit) & 1) << 1) |
                             (((upLeft >> bit) & 1) << 2) | (((upper >> bit) & 1) << 3) |
                             (((upRight >> bit) & 1) << 4);
      ++turn[bit][index];
    }
  }
}

void CountPlanes(const ColourPlane& plane, std::array<ContextCounts, 2>& planes) {
  Counters counters{};
  for (int y = 1; y < plane.Height(); ++y) {
    WithSamples(plane,
                [&](auto at) { CountRow(plane, at, plane.Row(y - 1), plane.Row(y), counters); });
    // 32-bit counters hold any one row's counts; they move into the totals often.
    if (y % 256 == 0 || y + 1 == plane.Height()) {
      for (auto& turn : counters)
        for (std::size_t bit = 0; bit < 2; ++bit)
          for (std::size_t index = 0; index < 32; ++index) {
            planes[bit].counts[index] += turn[bit][index];
            turn[bit][index] = 0;
          }
    }
  }
}

// Mean and variance of one kind of offsets' roughness, by running sums.
struct Moments {
  std::int64_t count = 0;
  std::int64_t sum = 0;
  std::int64_t squares = 0;
  std::int64_t odd = 0;
  void Add(int roughness, int value) {
    ++count;
    sum += roughness;
    squares += static_cast<std::int64_t>(roughness) * roughness;
    odd += value & 1;
  }
  double Mean() const {
    return count == 0 ? 0.0 : static_cast<double>(sum) / static_cast<double>(count);
  }
  double Variance() const {
    if (count < 2) return 0.0;
    const double mean = Mean();
    return static_cast<double>(squares) / static_cast<double>(count) - mean * mean;
  }
  double OddShare() const {
    return count == 0 ? 0.0 : static_cast<double>(odd) / static_cast<double>(count);
  }
};

// Roughness is clipped here: beyond it lies the picture's own detail, whose
// few large values would drown the small difference added noise makes.
constexpr int RoughnessClip = 8;

void MeasureColumns(const PixelView& view, LowBitPlanes& result) {
  if (view.Format() != PixelFormat::Bgr24 || view.Width() < 3) return;
  Moments even;
  Moments odd;
  const int rowBytes = view.Width() * 3;
  for (int y = 0; y < view.Height(); ++y) {
    const std::uint8_t* row = view.Row(y);
    for (int j = 3; j + 3 < rowBytes; ++j) {
      const int value = row[j];
      const int roughness = std::min(std::abs(2 * value - row[j - 3] - row[j + 3]), RoughnessClip);
      ((j & 1) == 0 ? even : odd).Add(roughness * roughness, value);
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
