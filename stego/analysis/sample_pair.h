#pragma once
// Sample Pair Analysis (Dumitrescu, Wu and Wang, 2003): estimates the share
// of a channel's low bits that were replaced by random bits, from how
// horizontally and vertically adjacent samples are ordered against their
// parity.
#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {

// The estimated rate, 0 (nothing replaced) to 1 (every low bit replaced).
double SamplePairRate(const ColourPlane& plane);

}  // namespace hushlake::analysis
