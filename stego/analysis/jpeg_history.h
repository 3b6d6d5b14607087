#pragma once
// Whether a picture was once a JPEG. A decompressed JPEG keeps two marks:
// its 8x8 blocks show at their borders (blockiness), and every block's
// brightness transforms back to coefficients that lie on the quantization
// steps of one table (the JPEG compatibility of Fridrich, Goljan and Du,
// 2001). Any later change to the pixels moves coefficients off those steps,
// so such a picture betrays whatever is hidden in it.
#include <array>

#include "stego/pixel_view.h"

namespace hushlake::analysis {

struct JpegHistory {
  // How much rougher the picture is across the borders of its strongest
  // 8x8 grid than elsewhere: about 1 without a grid.
  double blockiness = 1.0;
  // The columns and rows (0..7) at which that grid's blocks start.
  int gridColumn = 0;
  int gridRow = 0;
  // How many of the 63 varying brightness frequencies lie on a
  // quantization step of 2 or more.
  int quantizedFrequencies = 0;
  // The step found for each frequency in the DCT's row order (0: none, and
  // always 0 for the constant one).
  std::array<int, 64> steps{};
  bool wasJpeg = false;
  // The quality (1..100) whose standard brightness table fits the steps
  // found best; 0 unless WasJpeg.
  int quality = 0;
  // Of the blocks looked at, the share whose coefficients all lie near
  // their steps, as an untouched decompression leaves them (1 unless WasJpeg).
  double compatibleBlocks = 1.0;
};

JpegHistory DetectJpegHistory(const PixelView& view);

}  // namespace hushlake::analysis
