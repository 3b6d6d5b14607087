#pragma once
// The chi-square attack (Westfeld and Pfitzmann, 1999): replacing low bits
// with random bits evens out how often each pair of values 2k, 2k + 1
// occurs. The test asks how likely the observed pairs are if they were even;
// along the scan it shows how far from the start the evening reaches, as a
// sequential embedding leaves it.
#include <array>
#include <cstdint>

#include "stego/pixel_view.h"

namespace hushlake::analysis {

struct ChiSquareResult {
  // The chance that the whole picture's value pairs are as even as replaced
  // low bits leave them: near 1 when they are, near 0 for a photograph.
  double probability = 0.0;
  // The same chance for the first 5%, 10%, ..., 100% of the colour bytes in
  // scan order (rows from the top, bytes from the left).
  std::array<double, 20> alongScan{};
  // The share of the scan, from its start, over which the chance stays
  // at least 0.5 (0 when even the first 5% fail).
  double evenPrefix = 0.0;
};

// Colour bytes of a 24- or 32-bit picture (the fourth byte left out); the
// indices of an 8-bit one.
ChiSquareResult ChiSquareAttack(const PixelView& view);

// The upper tail of the chi-square distribution with Freedom degrees of
// freedom: the chance of a value at least Statistic.
double ChiSquareUpperTail(double statistic, int freedom);

}  // namespace hushlake::analysis
