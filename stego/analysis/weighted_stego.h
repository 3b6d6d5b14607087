#pragma once
// Weighted Stego analysis with the improved predictor, weights and bias
// correction of Ker and Böhme (2008), after Fridrich and Goljan (2004):
// a replaced low bit pulls a sample away from what its neighbours predict,
// towards the value with that bit flipped; the weighted mean of that pull
// over the picture estimates the rate at which low bits were replaced.
#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {

// The estimated rate, 0 to 1, from the samples not on the picture's edge
// (0 when there are none).
double WeightedStegoRate(const ColourPlane& plane);

}  // namespace hushlake::analysis
