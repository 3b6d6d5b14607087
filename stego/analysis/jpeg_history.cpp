#include "stego/analysis/jpeg_history.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {
namespace {

using Block = std::array<double, 64>;

// The brightness the JPEG colour transform makes of a pixel.
class Brightness {
 public:
  explicit Brightness(const PixelView& view) : planes_(ColourPlanesOf(view)) {}
  int Width() const { return planes_[0].Width(); }
  int Height() const { return planes_[0].Height(); }
  // Row y's brightness into Out (Width values).
  void Row(int y, std::vector<double>& out) const {
    const std::uint8_t* blue = planes_[0].Row(y);
    const std::uint8_t* green = planes_[1].Row(y);
    const std::uint8_t* red = planes_[2].Row(y);
    for (int x = 0; x < Width(); ++x)
      out[static_cast<std::size_t>(x)] = 0.299 * planes_[2].At(red, x) +
                                         0.587 * planes_[1].At(green, x) +
                                         0.114 * planes_[0].At(blue, x);
  }

 private:
  std::vector<ColourPlane> planes_;
};

// Roughness across each of the eight column and row phases: the jump
// between two neighbours beyond what the jumps on either side predict.
struct Phases {
  std::array<double, 8> columns{};
  std::array<double, 8> rows{};
};

double Jump(double a, double b, double c, double d) {
  return std::fabs((c - b) - 0.5 * ((b - a) + (d - c)));
}

Phases MeasurePhases(const Brightness& brightness) {
  Phases phases;
  const int width = brightness.Width();
  const int height = brightness.Height();
  std::array<std::vector<double>, 4> rows;
  for (auto& row : rows) row.assign(static_cast<std::size_t>(width), 0.0);
  for (int y = 0; y < height; ++y) {
    std::vector<double>& current = rows[static_cast<std::size_t>(y % 4)];
    brightness.Row(y, current);
    for (int x = 2; x + 1 < width; ++x) {
      const auto at = [&](int i) { return current[static_cast<std::size_t>(i)]; };
      phases.columns[static_cast<std::size_t>(x % 8)] +=
          Jump(at(x - 2), at(x - 1), at(x), at(x + 1));
    }
    // The border between rows y - 2 and y - 1, once row y is in.
    if (y >= 3) {
      const auto& a = rows[static_cast<std::size_t>((y - 3) % 4)];
      const auto& b = rows[static_cast<std::size_t>((y - 2) % 4)];
      const auto& c = rows[static_cast<std::size_t>((y - 1) % 4)];
      double sum = 0.0;
      for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x)
        sum += Jump(a[x], b[x], c[x], current[x]);
      phases.rows[static_cast<std::size_t>((y - 1) % 8)] += sum;
    }
  }
  return phases;
}

// The phase that stands out most, and by how much it exceeds the mean of the others.
std::pair<int, double> StrongestPhase(const std::array<double, 8>& sums) {
  const auto top = std::max_element(sums.begin(), sums.end());
  double others = 0.0;
  for (double sum : sums) others += sum;
  others = (others - *top) / 7.0;
  return {static_cast<int>(top - sums.begin()), others > 0.0 ? *top / others : 1.0};
}

// The 8x8 DCT of JPEG, orthonormal, as a table of cosines.
class Transform {
 public:
  Transform() {
    for (int u = 0; u < 8; ++u)
      for (int x = 0; x < 8; ++x)
        basis_[static_cast<std::size_t>(u * 8 + x)] =
            (u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * std::numbers::pi / 16);
  }
  Block Apply(const Block& samples) const {
    Block half{};
    Block out{};
    for (int y = 0; y < 8; ++y)
      for (int u = 0; u < 8; ++u) {
        double sum = 0.0;
        for (int x = 0; x < 8; ++x) sum += B(u, x) * samples[static_cast<std::size_t>(y * 8 + x)];
        half[static_cast<std::size_t>(y * 8 + u)] = sum;
      }
    for (int v = 0; v < 8; ++v)
      for (int u = 0; u < 8; ++u) {
        double sum = 0.0;
        for (int y = 0; y < 8; ++y) sum += B(v, y) * half[static_cast<std::size_t>(y * 8 + u)];
        out[static_cast<std::size_t>(v * 8 + u)] = sum;
      }
    return out;
  }

 private:
  double B(int u, int x) const { return basis_[static_cast<std::size_t>(u * 8 + x)]; }
  std::array<double, 64> basis_{};
};

// The blocks looked at: at most this many, spread evenly over the picture.
constexpr std::int64_t MaxBlocks = 16384;

// Calls Visit(coefficients) for the blocks of the grid starting at the given phase.
template <typename Visit>
void ForBlocks(const Brightness& brightness, int column, int row, Visit&& visit) {
  const int across = (brightness.Width() - column) / 8;
  const int down = (brightness.Height() - row) / 8;
  if (across <= 0 || down <= 0) return;
  const std::int64_t all = static_cast<std::int64_t>(across) * down;
  const std::int64_t every = std::max<std::int64_t>(1, (all + MaxBlocks - 1) / MaxBlocks);
  const Transform transform;
  std::vector<double> line(static_cast<std::size_t>(brightness.Width()));
  std::vector<double> band(static_cast<std::size_t>(brightness.Width()) * 8);
  std::int64_t index = 0;
  for (int by = 0; by < down; ++by) {
    // Only read the band when one of its blocks is picked.
    const std::int64_t first = index;
    index += across;
    const std::int64_t firstPicked = (first + every - 1) / every * every;
    if (firstPicked >= index) continue;
    for (int i = 0; i < 8; ++i) {
      brightness.Row(row + by * 8 + i, line);
      std::copy(line.begin(), line.end(),
                band.begin() + static_cast<std::ptrdiff_t>(i) * brightness.Width());
    }
    for (std::int64_t picked = firstPicked; picked < index; picked += every) {
      const int bx = static_cast<int>(picked - first);
      Block samples{};
      for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
          samples[static_cast<std::size_t>(i * 8 + j)] =
              band[static_cast<std::size_t>(i * brightness.Width() + column + bx * 8 + j)] - 128.0;
      visit(transform.Apply(samples));
    }
  }
}

// Per frequency, how often each coefficient value occurs, in eighths.
constexpr int HistogramHalf = 128 * 8;
using Histograms = std::vector<std::array<std::uint32_t, 2 * HistogramHalf>>;

// The step of 2 .. 64 on which the frequency's coefficients lie, or 0 when
// none fits. How well a step fits is the mean cosine of 2 pi c / step over
// the coefficients c away from zero: 1 when all lie on its multiples. The
// true step's divisors fit as well, a step a little larger than the true
// one nearly so when few multiples occur, and a step far larger than every
// coefficient does too (all lie "near" zero); so the step taken is the
// largest whose fit is within 0.1 of the best, among those that also fit
// the coefficients from half a step out.
int StepOf(const std::array<std::uint32_t, 2 * HistogramHalf>& histogram) {
  std::array<double, 65> fits{};
  double best = 0.5;
  for (int step = 2; step <= 64; ++step) {
    double fit = 0.0;
    double count = 0.0;
    double outerFit = 0.0;
    double outerCount = 0.0;
    for (int bin = 0; bin < 2 * HistogramHalf; ++bin) {
      const std::uint32_t n = histogram[static_cast<std::size_t>(bin)];
      if (n == 0) continue;
      const double value = (bin - HistogramHalf) / 8.0;
      const double magnitude = std::fabs(value);
      if (magnitude < 1.5) continue;
      const double cosine = n * std::cos(2.0 * std::numbers::pi * value / step);
      fit += cosine;
      count += n;
      if (magnitude >= step / 2.0) {
        outerFit += cosine;
        outerCount += n;
      }
    }
    const bool valid = count >= 20.0 && outerCount >= 10.0 && outerFit / outerCount >= 0.5;
    fits[static_cast<std::size_t>(step)] = valid ? fit / count : -1.0;
    best = std::max(best, fits[static_cast<std::size_t>(step)]);
  }
  int step = 64;
  while (step >= 2 && !(fits[static_cast<std::size_t>(step)] >= best - 0.1 &&
                        fits[static_cast<std::size_t>(step)] >= 0.5))
    --step;
  if (step < 2) return 0;
  // With few multiples present a step one or two off fits nearly as well;
  // the mean size of the coefficients around the first multiple is the step.
  double sum = 0.0;
  double count = 0.0;
  for (int bin = 0; bin < 2 * HistogramHalf; ++bin) {
    const double magnitude = std::fabs((bin - HistogramHalf) / 8.0);
    if (magnitude < 0.5 * step || magnitude > 1.5 * step) continue;
    sum += histogram[static_cast<std::size_t>(bin)] * magnitude;
    count += histogram[static_cast<std::size_t>(bin)];
  }
  return count > 0.0 ? std::max(2, static_cast<int>(std::lround(sum / count))) : step;
}

// The standard (Annex K) brightness table, in the DCT's row order.
constexpr std::array<int, 64> StandardTable = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

int ScaledStep(int frequency, int quality) {
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  return std::clamp((StandardTable[static_cast<std::size_t>(frequency)] * scale + 50) / 100, 1,
                    255);
}

// The quality whose table is nearest the steps found (relative distance,
// steps not found left out).
int NearestQuality(const std::array<int, 64>& steps) {
  int best = 0;
  double bestDistance = 0.0;
  for (int quality = 1; quality <= 100; ++quality) {
    double distance = 0.0;
    for (int f = 1; f < 64; ++f) {
      const int step = steps[static_cast<std::size_t>(f)];
      if (step == 0) continue;
      const int expected = ScaledStep(f, quality);
      distance += std::fabs(std::log(static_cast<double>(step) / expected));
    }
    if (best == 0 || distance <= bestDistance) {
      best = quality;
      bestDistance = distance;
    }
  }
  return best;
}

struct Lattice {
  std::array<int, 64> steps{};
  int found = 0;
};

Lattice FindLattice(const Brightness& brightness, int column, int row) {
  Histograms histograms(64);
  for (auto& histogram : histograms) histogram.fill(0);
  ForBlocks(brightness, column, row, [&](const Block& coefficients) {
    for (std::size_t f = 1; f < 64; ++f) {
      const long bin = std::lround(coefficients[f] * 8.0) + HistogramHalf;
      if (bin >= 0 && bin < 2 * HistogramHalf) ++histograms[f][static_cast<std::size_t>(bin)];
    }
  });
  Lattice lattice;
  for (std::size_t f = 1; f < 64; ++f) {
    lattice.steps[f] = StepOf(histograms[f]);
    // Steps of 2 are left out of the count: a smooth picture's small
    // coefficients can fall near even values by chance.
    lattice.found += lattice.steps[f] >= 3;
  }
  return lattice;
}

// A decompression rounds each brightness sample, and the colours once more;
// together they move a coefficient by about 0.35 at most times, so 1.25 off
// its step is more than rounding explains.
constexpr double RoundingSlack = 1.25;

double CompatibleShare(const Brightness& brightness, int column, int row, const Lattice& lattice) {
  std::int64_t blocks = 0;
  std::int64_t compatible = 0;
  ForBlocks(brightness, column, row, [&](const Block& coefficients) {
    bool fits = true;
    for (std::size_t f = 1; f < 64 && fits; ++f) {
      const int step = lattice.steps[f];
      if (step < 3) continue;
      const double off = coefficients[f] - step * std::round(coefficients[f] / step);
      fits = std::fabs(off) <= RoundingSlack;
    }
    ++blocks;
    compatible += fits;
  });
  return blocks == 0 ? 1.0 : static_cast<double>(compatible) / static_cast<double>(blocks);
}

// A picture with at least this many frequencies on steps was a JPEG: a
// photograph that never was one shows none or one by chance.
constexpr int QuantizedEnough = 6;

}  // namespace

JpegHistory DetectJpegHistory(const PixelView& view) {
  JpegHistory history;
  if (view.Width() < 16 || view.Height() < 16) return history;
  const Brightness brightness(view);
  const Phases phases = MeasurePhases(brightness);
  const auto [column, columnRatio] = StrongestPhase(phases.columns);
  const auto [row, rowRatio] = StrongestPhase(phases.rows);
  history.gridColumn = column;
  history.gridRow = row;
  history.blockiness = 0.5 * (columnRatio + rowRatio);

  // The strongest grid, or the picture's own corner when the grid is faint.
  Lattice lattice = FindLattice(brightness, column, row);
  if ((column != 0 || row != 0) && lattice.found < QuantizedEnough) {
    Lattice corner = FindLattice(brightness, 0, 0);
    if (corner.found > lattice.found) {
      lattice = corner;
      history.gridColumn = 0;
      history.gridRow = 0;
    }
  }
  history.quantizedFrequencies = lattice.found;
  history.steps = lattice.steps;
  history.wasJpeg = lattice.found >= QuantizedEnough;
  if (!history.wasJpeg) return history;
  history.quality = NearestQuality(lattice.steps);
  history.compatibleBlocks =
      CompatibleShare(brightness, history.gridColumn, history.gridRow, lattice);
  return history;
}

}  // namespace hushlake::analysis
