#pragma once
// One colour channel of a picture seen as a plane of 8-bit samples, without
// copying it: the detectors read every sample through this. A palette
// picture's channel is its pixels' colours looked up in the palette.
#include <array>
#include <cstdint>
#include <vector>

#include "stego/pixel_view.h"

namespace hushlake::analysis {

class ColourPlane {
 public:
  // Channel 0, 1 or 2: blue, green, red.
  ColourPlane(const PixelView& view, int channel);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The sample at column x of a row that Row returned.
  std::uint8_t At(const std::uint8_t* row, int x) const {
    return lookup_[row[static_cast<std::size_t>(x) * step_]];
  }
  // The first byte of row y's samples (pass it to At).
  const std::uint8_t* Row(int y) const { return view_->Row(y) + offset_; }

 private:
  const PixelView* view_;
  int width_;
  int height_;
  int offset_;
  std::size_t step_;
  std::array<std::uint8_t, 256> lookup_{};
};

// Blue, green and red of the picture (the fourth byte of a 32-bit pixel is
// not a colour and is left out). The view must outlive the planes.
std::vector<ColourPlane> ColourPlanesOf(const PixelView& view);

}  // namespace hushlake::analysis
