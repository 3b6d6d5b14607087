#pragma once
// RS analysis (Fridrich, Goljan and Du, 2001): groups of four horizontally
// adjacent samples are called regular or singular by whether flipping the
// low bits of the middle two (and shifting them the other way) makes the
// group rougher or smoother; how those shares move when every low bit is
// flipped gives the rate at which low bits were replaced.
#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {

// The estimated rate, 0 to 1. Rougher than the pair-based estimators on
// photographs; reported beside them.
double RsRate(const ColourPlane& plane);

}  // namespace hushlake::analysis
