#include "stego/analysis/quadratic.h"

#include <cmath>

namespace hushlake::analysis {

double SmallerRoot(double a, double b, double c) {
  if (a == 0.0) return b == 0.0 ? 0.0 : -c / b;
  const double discriminant = b * b - 4.0 * a * c;
  if (discriminant < 0.0) return -b / (2.0 * a);
  // The numerically stable pair: q / a and c / q.
  const double q = -0.5 * (b + std::copysign(std::sqrt(discriminant), b));
  const double first = q / a;
  const double second = q == 0.0 ? first : c / q;
  return std::fabs(first) < std::fabs(second) ? first : second;
}

}  // namespace hushlake::analysis
