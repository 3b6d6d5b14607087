#include "stego/analysis/chi_square.h"

#include <cmath>

namespace hushlake::analysis {
namespace {

using Histogram = std::array<std::int64_t, 256>;

// P(a, x), the regularized lower incomplete gamma function, by its series
// (for x < a + 1, where it converges fast).
double LowerGammaSeries(double a, double x) {
  double term = 1.0 / a;
  double sum = term;
  for (int n = 1; n < 1000; ++n) {
    term *= x / (a + n);
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * 1e-15) break;
  }
  return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Q(a, x) = 1 - P(a, x) by its continued fraction (for x >= a + 1), in
// Lentz's evaluation.
double UpperGammaFraction(double a, double x) {
  constexpr double tiny = 1e-300;
  double b = x + 1.0 - a;
  double c = 1.0 / tiny;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i < 1000; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < tiny) d = tiny;
    c = b + an / c;
    if (std::fabs(c) < tiny) c = tiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < 1e-15) break;
  }
  return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// The chance of pairs this uneven or more if each pair's two values were
// equally likely. Pairs seen fewer than ten times tell nothing and are left
// out; with fewer than two pairs left there is no test, and the answer is 1.
double PairEvenness(const Histogram& counts) {
  double statistic = 0.0;
  int categories = 0;
  for (std::size_t k = 0; k < 128; ++k) {
    const double even = static_cast<double>(counts[2 * k]);
    const double expected = (even + static_cast<double>(counts[2 * k + 1])) / 2.0;
    if (expected < 5.0) continue;
    statistic += (even - expected) * (even - expected) / expected;
    ++categories;
  }
  if (categories < 2) return 1.0;
  return ChiSquareUpperTail(statistic, categories - 1);
}

}  // namespace

double ChiSquareUpperTail(double statistic, int freedom) {
  if (statistic <= 0.0) return 1.0;
  const double a = freedom / 2.0;
  const double x = statistic / 2.0;
  if (x < a + 1.0) return 1.0 - LowerGammaSeries(a, x);
  return UpperGammaFraction(a, x);
}

ChiSquareResult ChiSquareAttack(const PixelView& view) {
  ChiSquareResult result;
  const bool indexed = view.Format() == PixelFormat::Indexed8;
  const std::size_t pixelBytes = indexed ? 1 : view.Format() == PixelFormat::Bgrx32 ? 4 : 3;
  const std::size_t colourBytes = indexed ? 1 : 3;
  const std::int64_t total = static_cast<std::int64_t>(view.Width()) * view.Height() *
                             static_cast<std::int64_t>(colourBytes);
  const std::size_t checkpoints = result.alongScan.size();
  Histogram counts{};
  std::int64_t seen = 0;
  std::size_t next = 0;
  auto nextMark = [&] {
    return total * static_cast<std::int64_t>(next + 1) / static_cast<std::int64_t>(checkpoints);
  };
  for (int y = 0; y < view.Height(); ++y) {
    const std::uint8_t* row = view.Row(y);
    for (int x = 0; x < view.Width(); ++x) {
      const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * pixelBytes;
      for (std::size_t c = 0; c < colourBytes; ++c) {
        ++counts[pixel[c]];
        ++seen;
        while (next < checkpoints && seen == nextMark()) {
          result.alongScan[next] = PairEvenness(counts);
          ++next;
        }
      }
    }
  }
  for (; next < checkpoints; ++next) result.alongScan[next] = PairEvenness(counts);
  result.probability = PairEvenness(counts);
  std::size_t even = 0;
  while (even < checkpoints && result.alongScan[even] >= 0.5) ++even;
  result.evenPrefix = static_cast<double>(even) / static_cast<double>(checkpoints);
  return result;
}

}  // namespace hushlake::analysis
