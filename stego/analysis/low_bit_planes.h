#pragma once
// How random the two low bit planes are, and whether bytes at even and at
// odd offsets of a row differ. In a photograph the low bits still follow the
// picture a little: neighbours agree more often than chance, and a context
// of four neighbours predicts a bit somewhat. Bits made random lose both.
// The bytes of a 24-bit row cycle through blue, green and red, so even and
// odd offsets hold the same mix of colours and differ only by chance,
// unless something treated the two kinds of offsets differently.
#include <array>

#include "stego/pixel_view.h"

namespace hushlake::analysis {

struct LowBitPlanes {
  // Per plane (0: the lowest bit, 1: the next), the bits needed per bit
  // when each is coded from its left, upper-left, upper and upper-right
  // neighbours in the same channel: 1 for random bits, less the more
  // compressible the plane is.
  std::array<double, 2> bitsPerBit{1.0, 1.0};
  // Per plane, the share of horizontal neighbours in the same channel whose
  // bits agree: 0.5 for random bits.
  std::array<double, 2> neighbourAgreement{0.5, 0.5};

  // 24-bit pictures only (false otherwise): the mean roughness of the bytes
  // at even and at odd offsets of the rows, min(|2 b - left - right|, 8)^2
  // (left and right: the same channel's neighbours), and how many standard
  // errors apart the two means are (positive: even offsets rougher).
  bool hasColumns = false;
  double evenRoughness = 0.0;
  double oddRoughness = 0.0;
  double columnDifference = 0.0;
  // The shares of odd values among bytes at even and at odd offsets.
  double evenOddShare = 0.0;
  double oddOddShare = 0.0;
};

LowBitPlanes MeasureLowBitPlanes(const PixelView& view);

}  // namespace hushlake::analysis
