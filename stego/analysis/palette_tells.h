#pragma once
// What the palette of an 8-bit picture gives away. Hiding in a palette
// picture's indices needs colours that look alike, so tools add or sort
// entries into pairs of equal or nearly equal colours that a drawing
// program or a colour reducer would not make; and a palette padded to 256
// entries leaves many unused.
#include "stego/pixel_view.h"

namespace hushlake::analysis {

struct PaletteTells {
  bool indexed = false;  // false: the picture has no palette, and the rest is zero
  int usedEntries = 0;
  int unusedEntries = 0;  // of the 256
  // Pairs of used entries with the same colour, and with colours 1 apart in
  // one or two channels and equal in the rest (neighbouring greys, a step
  // apart in all three, are what a grey palette holds and do not count).
  int equalPairs = 0;
  int nearPairs = 0;
  // The share of used entries that have an equal or near partner.
  double pairedShare = 0.0;
};

PaletteTells FindPaletteTells(const PixelView& view);

}  // namespace hushlake::analysis
